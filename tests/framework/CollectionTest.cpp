#include "framework/components/Collection.h"

#include <gtest/gtest.h>

#include "framework/rtl/Exceptions.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace {

class TNamedItem : public TCollectionItem {
 public:
  WDX_CLASS(TNamedItem)
  using TCollectionItem::TCollectionItem;
  std::string Label;
  void Assign(const TPersistent* source) override {
    if (const auto* other = dynamic_cast<const TNamedItem*>(source)) {
      Label = other->Label;
      return;
    }
    TCollectionItem::Assign(source);
  }
};

const TMetaClass& TNamedItem::StaticClass() {
  static const TMetaClass meta("TNamedItem", &TCollectionItem::StaticClass(),
                               FactoryOf<TNamedItem>(), {});
  return meta;
}

TNamedItem* Item(const TCollection& c, int i) {
  return static_cast<TNamedItem*>(c.Items(i));
}

TEST(Collection, CreatesItemsOfItsItemClassAndKeepsOrder) {
  TCollection c(TNamedItem::StaticClass());
  static_cast<TNamedItem*>(c.Add())->Label = "a";
  static_cast<TNamedItem*>(c.Add())->Label = "c";
  static_cast<TNamedItem*>(c.Insert(1))->Label = "b";
  ASSERT_EQ(c.Count(), 3);
  EXPECT_EQ(Item(c, 1)->Label, "b");
  EXPECT_EQ(Item(c, 2)->Index(), 2);
  EXPECT_EQ(Item(c, 0)->GetOwner(), &c);
  delete Item(c, 1);  // an item leaves its collection when destroyed
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(Item(c, 1)->Label, "c");
  try {
    c.Items(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  c.Delete(0);
  EXPECT_EQ(Item(c, 0)->Label, "c");
}

TEST(Collection, AssignReplacesTheItemsWithCopies) {
  TCollection source(TNamedItem::StaticClass()), target(TNamedItem::StaticClass());
  static_cast<TNamedItem*>(source.Add())->Label = "x";
  static_cast<TNamedItem*>(source.Add())->Label = "y";
  target.Add();
  target.Assign(&source);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(Item(target, 1)->Label, "y");
  EXPECT_NE(target.Items(0), source.Items(0));
  TPersistent other;
  EXPECT_THROW(target.Assign(&other), EConvertError);
}

TEST(Collection, AbstractOrForeignItemClassesAreRefused) {
  TCollection abstract(TPersistent::StaticClass());
  EXPECT_THROW(abstract.Add(), Exception);
  EXPECT_EQ(abstract.Count(), 0);
}

}  // namespace
}  // namespace wdx
