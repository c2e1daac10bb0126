#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "framework/components/Component.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/PropAccess.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace {

class TBase : public TComponent {
 public:
  WDX_CLASS(TBase)
  using TComponent::TComponent;
  int32_t Width = 5;
  std::string Caption;
  TBase* Buddy = nullptr;
  void Clicked(TObject*) { ++clicks; }
  int clicks = 0;
};

class TDerived : public TBase {
 public:
  WDX_CLASS(TDerived)
  using TBase::TBase;
  int32_t Extra = 0;
};

const TMetaClass& TBase::StaticClass() {
  static const TMetaClass meta("TBase", &TComponent::StaticClass(), FactoryOf<TBase>(),
                               {
                                   Published<TBase>("Width", &TBase::Width, &TBase::Width),
                                   Published<TBase>("Caption", &TBase::Caption, &TBase::Caption),
                                   Published<TBase>("Buddy", &TBase::Buddy, &TBase::Buddy),
                               },
                               {PublishedMethod<TBase>("Clicked", &TBase::Clicked)});
  return meta;
}

const TMetaClass& TDerived::StaticClass() {
  // Re-declares Caption (keeping its slot) and adds Extra after the inherited ones.
  static const TMetaClass meta(
      "TDerived", &TBase::StaticClass(), FactoryOf<TDerived>(),
      {
          Published<TDerived>("Extra", &TDerived::Extra, &TDerived::Extra),
          Published<TDerived>("Caption", &TDerived::Caption, &TDerived::Caption).NotStored(),
      });
  return meta;
}

std::vector<std::string> Names(const std::vector<const TPropInfo*>& props) {
  std::vector<std::string> names;
  for (const TPropInfo* p : props) names.push_back(p->Name);
  return names;
}

TEST(PublishedProperties, AncestorsFirstAndRedeclaredInPlace) {
  const TMetaClass& meta = TDerived::StaticClass();
  EXPECT_EQ(Names(meta.Properties()),
            (std::vector<std::string>{"Name", "Tag", "Width", "Caption", "Buddy", "Extra"}));
  const TPropInfo* caption = meta.FindProperty("CAPTION");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->Owner, &meta);
  EXPECT_FALSE(caption->IsStored(nullptr));
  EXPECT_EQ(caption->NameIndex, 3);
  EXPECT_EQ(Names(meta.SortedProperties()),
            (std::vector<std::string>{"Buddy", "Caption", "Extra", "Name", "Tag", "Width"}));
  EXPECT_EQ(TBase::StaticClass().FindProperty("Extra"), nullptr);
}

TEST(PublishedProperties, NameOrderFoldsCaseAndPutsPrefixesFirst) {
  EXPECT_TRUE(PropNameLess("Align", "anchors"));
  EXPECT_TRUE(PropNameLess("anchors", "Caption"));
  EXPECT_TRUE(PropNameLess("Font", "FontSize"));
  EXPECT_FALSE(PropNameLess("FontSize", "Font"));
  EXPECT_FALSE(PropNameLess("font", "FONT"));
  EXPECT_TRUE(PropNameLess("A_B", "AB") == (('_' & ~0x20) < ('B' & ~0x20)));
}

TEST(ClassRegistry, FindsClassesIgnoringCaseAndCreatesThem) {
  RegisterClass(TDerived::StaticClass());
  const TMetaClass* found = FindRegisteredClass("tderived");
  ASSERT_EQ(found, &TDerived::StaticClass());
  TComponent owner(nullptr);
  TObject* made = found->Create(&owner);
  EXPECT_EQ(made->ClassName(), "TDerived");
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_TRUE(made->InheritsFrom(TBase::StaticClass()));
  EXPECT_FALSE(TBase::StaticClass().InheritsFrom(TDerived::StaticClass()));
  EXPECT_EQ(FindRegisteredClass("TNoSuchClass"), nullptr);
  TObject notAComponent;
  EXPECT_THROW(found->Create(&notAComponent), EInvalidCast);  // an owner must be a component
}

TEST(PublishedMethods, FoundByNameAndByCodeHandle) {
  TDerived object(nullptr);
  TNotifyEvent event = MethodEvent(&object, "clicked");
  ASSERT_TRUE(event);
  event(&object);
  EXPECT_EQ(object.clicks, 1);
  EXPECT_EQ(FindMethodByCode(event.Code->CodeHandle), event.Code);
  EXPECT_EQ(TDerived::StaticClass().FindMethod(event.Code), event.Code);
  EXPECT_EQ(TComponent::StaticClass().FindMethod(event.Code), nullptr);
  EXPECT_FALSE(MethodEvent(&object, "Missing"));
}

TEST(LiveHandles, NameOnlyLiveObjects) {
  auto* object = new TBase(nullptr);
  const uint32_t handle = object->Handle();
  EXPECT_NE(handle, 0u);
  EXPECT_EQ(live_objects::Find(handle), object);
  delete object;
  EXPECT_EQ(live_objects::Find(handle), nullptr);
  EXPECT_EQ(live_objects::Find(0), nullptr);
  TBase fresh(nullptr);
  EXPECT_NE(fresh.Handle(), handle);  // handles are not reused
}

TEST(PropAccess, ClassPropertiesTravelAsCheckedHandles) {
  TBase a(nullptr), b(nullptr);
  TComponent plain(nullptr);
  const TPropInfo& buddy = *TBase::StaticClass().FindProperty("Buddy");
  SetOrdProp(&a, buddy, static_cast<int32_t>(b.Handle()));
  EXPECT_EQ(a.Buddy, &b);
  EXPECT_EQ(GetOrdProp(&a, buddy), static_cast<int32_t>(b.Handle()));
  EXPECT_THROW(SetOrdProp(&a, buddy, static_cast<int32_t>(plain.Handle())), EInvalidCast);
  EXPECT_THROW(SetObjectProp(&a, buddy, &plain), EInvalidCast);
  uint32_t stale;
  {
    TBase gone(nullptr);
    stale = gone.Handle();
  }
  EXPECT_THROW(SetOrdProp(&a, buddy, static_cast<int32_t>(stale)), EInvalidCast);
  EXPECT_EQ(a.Buddy, &b);
  SetOrdProp(&a, buddy, 0);
  EXPECT_EQ(a.Buddy, nullptr);
}

TEST(PropAccess, DescriptorOfAnotherClassIsRefused) {
  TComponent plain(nullptr);
  const TPropInfo& width = *TBase::StaticClass().FindProperty("Width");
  EXPECT_THROW(GetOrdProp(&plain, width), EInvalidCast);
  EXPECT_THROW(GetStrProp(&plain, width), EPropertyError);  // no string accessor at all
}

// A class without its own metaclass shares TDerived's: a cast must still tell it apart.
class TUndeclared : public TDerived {
 public:
  using TDerived::TDerived;
};

TEST(ObjectCast, AgreesWithTheLanguageCastForEveryPair) {
  TComponent plain(nullptr);
  TBase base(nullptr);
  TDerived derived(nullptr);
  TUndeclared undeclared(nullptr);
  for (TObject* object : std::vector<TObject*>{&plain, &base, &derived, &undeclared, nullptr}) {
    EXPECT_EQ(ObjectCast<TComponent>(object), dynamic_cast<TComponent*>(object));
    EXPECT_EQ(ObjectCast<TBase>(object), dynamic_cast<TBase*>(object));
    EXPECT_EQ(ObjectCast<TDerived>(object), dynamic_cast<TDerived*>(object));
    EXPECT_EQ(ObjectCast<TUndeclared>(object), dynamic_cast<TUndeclared*>(object));
    const TObject* constant = object;
    EXPECT_EQ(ObjectCast<TBase>(constant), dynamic_cast<const TBase*>(constant));
  }
}

TEST(SameText, FoldsOnlyLettersAtEveryLengthAndPlace) {
  // Lengths around the word sizes the comparison uses, with one byte changed at each place.
  const std::string alphabet = "aB_7cDeFgH1iJkLmNoPq";
  for (size_t length = 0; length <= alphabet.size(); ++length) {
    const std::string text = alphabet.substr(0, length);
    EXPECT_TRUE(SameText(text, text));
    EXPECT_FALSE(SameText(text, text + "x"));
    for (size_t at = 0; at < length; ++at) {
      std::string flipped = text;
      flipped[at] = static_cast<char>(flipped[at] ^ 0x20);  // other case, or another symbol
      const bool letter = std::isalpha(static_cast<unsigned char>(text[at])) != 0;
      EXPECT_EQ(SameText(text, flipped), letter) << text << " at " << at;
      std::string other = text;
      other[at] = '#';
      EXPECT_FALSE(SameText(text, other)) << text << " at " << at;
    }
  }
}

}  // namespace
}  // namespace wdx
