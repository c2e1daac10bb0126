#include "LangControl/Source/LanguageValues.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "LangControl/Source/ConvertTools.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/Published.h"

namespace wdx {
namespace {

class TVLabel : public TComponent {
 public:
  WDX_CLASS(TVLabel)
  using TComponent::TComponent;
  std::string Caption = "English";
  Variant Data;
};

const TMetaClass& TVLabel::StaticClass() {
  static const TMetaClass meta(
      "TVLabel", &TComponent::StaticClass(), FactoryOf<TVLabel>(),
      {
          Published<TVLabel>("Caption", &TVLabel::Caption, &TVLabel::Caption),
          Published<TVLabel>("Data", &TVLabel::Data, &TVLabel::Data),
      });
  return meta;
}

// A label whose caption setter refuses one text and runs a callback before it takes a text,
// and whose title is a copy made by its getter.
class TVStrictLabel : public TComponent {
 public:
  WDX_CLASS(TVStrictLabel)
  using TComponent::TComponent;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) {
    if (value == "refused") throw EConvertError("refused");
    if (onSet) onSet();
    caption_ = value;
  }
  std::string Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  std::function<void()> onSet;

 private:
  std::string caption_ = "English";
  std::string title_ = "Title";
};

const TMetaClass& TVStrictLabel::StaticClass() {
  using L = TVStrictLabel;
  static const TMetaClass meta("TVStrictLabel", &TComponent::StaticClass(), FactoryOf<L>(),
                               {
                                   Published<L>("Caption", &L::Caption, &L::SetCaption),
                                   Published<L>("Title", &L::Title, &L::SetTitle),
                               });
  return meta;
}

// The bytes of an entry's "Values".
std::vector<uint8_t> ValuesOf(const TInconsistentLangPropertyEntry& entry) {
  TMemoryStream stream;
  entry.WriteValues(stream);
  return stream.Bytes();
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "";
}

// A label translated through one validated property entry of the given class.
class LanguageValues : public ::testing::Test {
 protected:
  TConsistentLangPropertyEntry* Translate(const TMetaClass& propertyClass,
                                          const char* property = "Caption") {
    entries.SetPropertyClass(&propertyClass);
    TComponentEntry* entry = entries.Add();
    entry->SetSubType({stPubPropObject});
    entry->SetRef(&label);
    TPropertyEntry* prop = entry->Props()->Add();
    prop->SetName(property);
    prop->SetKind(std::string(property) == "Data" ? tkVariant : tkLString);
    entries.ValidateAndPurge();
    return static_cast<TConsistentLangPropertyEntry*>(prop);
  }
  TInconsistentLangPropertyEntry* Live(const char* property = "Caption") {
    return static_cast<TInconsistentLangPropertyEntry*>(
        Translate(TInconsistentLangPropertyEntry::StaticClass(), property));
  }
  // A live-value entry for `property` of `component` with `count` slots, in a list of its own.
  TInconsistentLangPropertyEntry* LiveOf(TComponent* component, const char* property,
                                         int32_t count) {
    lists.push_back(std::make_unique<TComponentEntries>(
        nullptr, &TInconsistentLangPropertyEntry::StaticClass()));
    TComponentEntry* entry = lists.back()->Add();
    entry->SetSubType({stPubPropObject});
    entry->SetRef(component);
    auto* prop = static_cast<TInconsistentLangPropertyEntry*>(entry->Props()->Add());
    prop->SetName(property);
    prop->SetKind(tkLString);
    prop->SetCount(count);
    lists.back()->ValidateAndPurge();
    return prop;
  }

  TVLabel label{nullptr};
  TComponentEntries entries{nullptr, nullptr};
  std::vector<std::unique_ptr<TComponentEntries>> lists;
};

TEST(LanguageValueSlots, CountSetterRules) {
  TConsistentLangPropertyEntry entry(nullptr);
  EXPECT_EQ(entry.Count(), 0);
  entry.SetCount(0);
  EXPECT_EQ(entry.Count(), 0);
  entry.SetCount(3);
  entry.SetLangValue(2, "two");
  entry.SetCount(-5);
  EXPECT_EQ(entry.Count(), 1);
  entry.SetCount(3);
  // Slots cut away are gone; grown slots start empty.
  EXPECT_FALSE(entry.HasLangValue(1));
  EXPECT_FALSE(entry.HasLangValue(2));
  EXPECT_TRUE(entry.GetLangValue(2).IsNull());
  // A huge count holds no memory of its own.
  entry.SetCount(0x7FFFFFFF);
  EXPECT_TRUE(entry.GetLangValue(0x7FFFFFFE).IsNull());
}

TEST(LanguageValueSlots, BoundsFailuresNameTheClass) {
  TConsistentLangPropertyEntry consistent(nullptr);
  TInconsistentLangPropertyEntry inconsistent(nullptr);
  for (TConsistentLangPropertyEntry* entry :
       {&consistent, static_cast<TConsistentLangPropertyEntry*>(&inconsistent)}) {
    entry->SetCount(2);
    const std::string prefix = entry->ClassName() + ".";
    EXPECT_EQ(MessageOf([&] { entry->GetLangValue(2); }), prefix + "GetLangValue: Invalid index");
    EXPECT_EQ(MessageOf([&] { entry->SetLangValue(-1, 1); }),
              prefix + "SetLangValue: Invalid index");
    EXPECT_EQ(MessageOf([&] { entry->ExchangeLangValues(0, 2); }),
              prefix + "ExchangeLangValues: Invalid index");
    EXPECT_EQ(MessageOf([&] { entry->ExchangeLangValues(-1, 1); }),
              prefix + "ExchangeLangValues: Invalid index");
    EXPECT_EQ(MessageOf([&] { entry->ExchangeLangValues(1, 1); }), "");
  }
}

TEST(LanguageValueSlots, StoredSlotsKeepEveryVariantKindAndSwapWithoutCopies) {
  TConsistentLangPropertyEntry entry(nullptr);
  entry.SetCount(4);
  entry.SetLangValue(0, "zero");
  entry.SetLangValue(1, Variant(42));
  entry.SetLangValue(2, Variant::Currency(12345));
  EXPECT_EQ(entry.GetLangValue(0), Variant("zero"));
  EXPECT_EQ(entry.GetLangValue(1), Variant(42));
  EXPECT_EQ(entry.GetLangValue(2).VType(), varCurrency);
  EXPECT_TRUE(entry.GetLangValue(3).IsNull());

  entry.ExchangeLangValues(0, 3);
  EXPECT_TRUE(entry.GetLangValue(0).IsNull());
  EXPECT_EQ(entry.GetLangValue(3), Variant("zero"));
  entry.ExchangeLangValues(2, 2);
  EXPECT_EQ(entry.GetLangValue(2).VType(), varCurrency);

  // A value the encoding refuses leaves the slot empty and the failure reaches the caller.
  EXPECT_THROW(entry.SetLangValue(1, Variant::OfType(varError)), EConvertToolsError);
  EXPECT_FALSE(entry.HasLangValue(1));

  TConsistentLangPropertyEntry copy(nullptr);
  entry.SetName("Text");
  entry.SetIndex(2);
  copy.Assign(&entry);
  EXPECT_EQ(copy.Name(), "Text");
  EXPECT_EQ(copy.Index(), 2);
  EXPECT_EQ(copy.GetLangValue(3), Variant("zero"));
}

TEST_F(LanguageValues, SlotZeroIsTheLiveProperty) {
  TInconsistentLangPropertyEntry* entry = Live();
  entry->SetCount(3);
  entry->SetLangValue(2, "Spanish");
  EXPECT_EQ(entry->GetLangValue(0), Variant("English"));
  EXPECT_FALSE(entry->HasLangValue(0));

  entry->ExchangeLangValues(0, 2);
  EXPECT_EQ(label.Caption, "Spanish");
  EXPECT_EQ(entry->GetLangValue(2), Variant("English"));
  EXPECT_FALSE(entry->HasLangValue(0));
  entry->ExchangeLangValues(2, 0);
  EXPECT_EQ(label.Caption, "English");
  EXPECT_EQ(entry->GetLangValue(2), Variant("Spanish"));

  entry->SetLangValue(0, "Live");
  EXPECT_EQ(label.Caption, "Live");
  entry->SetLangValue(1, "German");
  entry->ExchangeLangValues(1, 2);
  EXPECT_EQ(entry->GetLangValue(1), Variant("Spanish"));
  EXPECT_EQ(entry->GetLangValue(2), Variant("German"));
  EXPECT_EQ(label.Caption, "Live");
}

TEST_F(LanguageValues, TextsOfEveryLengthChangePlacesExactly) {
  TInconsistentLangPropertyEntry* entry = Live();
  entry->SetCount(4);
  std::vector<std::string> model = {"English", "", std::string(300, 'g'), "wide"};
  entry->SetLangValue(1, Variant(model[1]));
  entry->SetLangValue(2, Variant(model[2]));
  entry->SetLangValue(3, Variant::Wide(u"wide"));
  std::mt19937 random(11);
  for (int step = 0; step < 300; ++step) {
    const auto k = static_cast<int32_t>(1 + random() % 3);
    if (step % 40 == 39) {
      // Now and then a text of another length, from empty to long.
      model[static_cast<size_t>(k)] =
          std::string(random() % 2000, static_cast<char>('a' + step % 26));
      entry->SetLangValue(k, Variant(model[static_cast<size_t>(k)]));
    }
    if (random() % 2) {
      entry->ExchangeLangValues(0, k);
    } else {
      entry->ExchangeLangValues(k, 0);
    }
    std::swap(model[0], model[static_cast<size_t>(k)]);
    ASSERT_EQ(label.Caption, model[0]) << "step " << step;
    for (int32_t i = 1; i < 4; ++i) {
      ASSERT_EQ(entry->GetLangValue(i), Variant(model[static_cast<size_t>(i)])) << "step " << step;
    }
  }
}

TEST_F(LanguageValues, ARefusedTextLeavesBothSidesAsTheyWere) {
  TVStrictLabel strict(nullptr);
  TInconsistentLangPropertyEntry* entry = LiveOf(&strict, "Caption", 3);
  entry->SetLangValue(1, Variant::Wide(u"refused"));
  entry->SetLangValue(2, Variant("refused"));
  // A live text that fits the stored text's block, and one that needs a larger block.
  for (const std::string& live : {std::string("ab"), std::string(100, 'x')}) {
    strict.SetCaption(live);
    for (int32_t k : {1, 2}) {
      const std::vector<uint8_t> stored = ValuesOf(*entry);
      EXPECT_THROW(entry->ExchangeLangValues(0, k), EConvertError);
      EXPECT_EQ(strict.Caption(), live);
      EXPECT_EQ(ValuesOf(*entry), stored);  // type codes 8 and 256 included
    }
  }
}

TEST_F(LanguageValues, AnExchangeStartedByASetterHasATextOfItsOwn) {
  TVStrictLabel first(nullptr);
  TVStrictLabel second(nullptr);
  TInconsistentLangPropertyEntry* one = LiveOf(&first, "Caption", 2);
  TInconsistentLangPropertyEntry* two = LiveOf(&second, "Caption", 2);
  first.SetCaption("first");
  second.SetCaption("second");
  one->SetLangValue(1, Variant("first-de"));
  two->SetLangValue(1, Variant("second-de"));
  // The first setter starts the second exchange before it takes its own text.
  first.onSet = [&] { two->ExchangeLangValues(0, 1); };
  one->ExchangeLangValues(0, 1);
  EXPECT_EQ(first.Caption(), "first-de");
  EXPECT_EQ(second.Caption(), "second-de");
  EXPECT_EQ(one->GetLangValue(1), Variant("first"));
  EXPECT_EQ(two->GetLangValue(1), Variant("second"));
}

TEST_F(LanguageValues, ASetterSeesTheStoredTextUntilTheExchangeIsDone) {
  TVStrictLabel strict(nullptr);
  TInconsistentLangPropertyEntry* entry = LiveOf(&strict, "Caption", 3);
  entry->SetLangValue(1, Variant("Deutsch"));
  Variant seen;
  strict.onSet = [&] { seen = entry->GetLangValue(1); };
  entry->ExchangeLangValues(0, 1);
  EXPECT_EQ(seen, Variant("Deutsch"));
  EXPECT_EQ(strict.Caption(), "Deutsch");
  EXPECT_EQ(entry->GetLangValue(1), Variant("English"));
  // A setter that remakes the slots of its own entry: the live text still goes into its slot.
  bool remade = false;
  strict.onSet = [&] {
    if (remade) return;
    remade = true;
    entry->SetCount(1);
    entry->SetCount(3);
  };
  entry->ExchangeLangValues(1, 0);
  EXPECT_EQ(strict.Caption(), "English");
  EXPECT_EQ(entry->GetLangValue(1), Variant("Deutsch"));
  EXPECT_TRUE(entry->GetLangValue(2).IsNull());
}

TEST_F(LanguageValues, ASetterThatCutsTheSlotAwayLeavesNothingPastTheCount) {
  TVStrictLabel strict(nullptr);
  TInconsistentLangPropertyEntry* entry = LiveOf(&strict, "Caption", 3);
  entry->SetLangValue(2, Variant("Spanish"));
  bool cut = false;
  strict.onSet = [&] {
    if (cut) return;
    cut = true;
    entry->SetCount(1);
  };
  entry->ExchangeLangValues(0, 2);
  EXPECT_EQ(strict.Caption(), "Spanish");
  EXPECT_EQ(entry->Count(), 1);
  EXPECT_FALSE(entry->HasLangValue(2));
  entry->SetCount(3);
  EXPECT_TRUE(entry->GetLangValue(2).IsNull());  // a grown slot starts empty
}

TEST_F(LanguageValues, ATextItsGetterMakesChangesPlacesToo) {
  TVStrictLabel strict(nullptr);
  TInconsistentLangPropertyEntry* entry = LiveOf(&strict, "Title", 2);
  entry->SetLangValue(1, Variant("Titel"));
  entry->ExchangeLangValues(0, 1);
  EXPECT_EQ(strict.Title(), "Titel");
  EXPECT_EQ(entry->GetLangValue(1), Variant("Title"));
}

TEST_F(LanguageValues, ExchangeKeepsBothSidesWhenOneCannotMove) {
  TInconsistentLangPropertyEntry* entry = Live("Data");
  entry->SetCount(2);
  entry->SetLangValue(1, "stored");
  // A live value without a stored form: nothing moves.
  label.Data = Variant::OfType(varError);
  EXPECT_THROW(entry->ExchangeLangValues(0, 1), EConvertToolsError);
  EXPECT_EQ(entry->GetLangValue(1), Variant("stored"));
  EXPECT_EQ(label.Data.VType(), varError);
  label.Data = Variant(7);
  entry->ExchangeLangValues(1, 0);
  EXPECT_EQ(label.Data, Variant("stored"));
  EXPECT_EQ(entry->GetLangValue(1), Variant(7));
}

TEST_F(LanguageValues, UnreachableLiveValueReadsNullAndKeepsStoredSlots) {
  TInconsistentLangPropertyEntry* entry = Live();
  entry->SetCount(3);
  entry->SetLangValue(2, "Spanish");
  entry->SetPropInfo(nullptr);
  EXPECT_TRUE(entry->GetLangValue(0).IsNull());
  entry->SetLangValue(0, "ignored");
  EXPECT_EQ(label.Caption, "English");
  entry->ExchangeLangValues(0, 2);
  EXPECT_EQ(entry->GetLangValue(2), Variant("Spanish"));

  TInconsistentLangPropertyEntry loose(nullptr);
  loose.SetCount(2);
  EXPECT_TRUE(loose.GetLangValue(0).IsNull());
  loose.SetLangValue(0, "ignored");
}

TEST_F(LanguageValues, AssignLangValuesBetweenTheTwoClasses) {
  TConsistentLangPropertyEntry plain(nullptr);
  plain.SetCount(3);
  plain.SetLangValue(0, "Null slot");
  plain.SetLangValue(1, "German");
  plain.SetLangValue(2, "Spanish");

  TInconsistentLangPropertyEntry* entry = Live();
  entry->AssignLangValues(&plain);
  EXPECT_EQ(entry->Count(), 3);
  EXPECT_EQ(label.Caption, "Null slot");
  EXPECT_EQ(entry->GetLangValue(2), Variant("Spanish"));

  // Between two live-value entries the destination's live property stays as it is.
  TVLabel other(nullptr);
  other.Caption = "Other";
  TComponentEntries list(nullptr, &TInconsistentLangPropertyEntry::StaticClass());
  TComponentEntry* otherEntry = list.Add();
  otherEntry->SetSubType({stPubPropObject});
  otherEntry->SetRef(&other);
  TPropertyEntry* prop = otherEntry->Props()->Add();
  prop->SetName("Caption");
  prop->SetKind(tkLString);
  list.ValidateAll();
  auto* source = static_cast<TInconsistentLangPropertyEntry*>(prop);
  source->SetCount(2);
  source->SetLangValue(1, "Deutsch");
  entry->AssignLangValues(source);
  EXPECT_EQ(entry->Count(), 2);
  EXPECT_EQ(label.Caption, "Null slot");
  EXPECT_EQ(entry->GetLangValue(1), Variant("Deutsch"));

  // The other way round, the live value becomes an ordinary slot 0.
  TConsistentLangPropertyEntry back(nullptr);
  back.Assign(source);
  EXPECT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetLangValue(0), Variant("Other"));
  EXPECT_EQ(back.GetLangValue(1), Variant("Deutsch"));
  EXPECT_EQ(back.PropInfo(), TVLabel::StaticClass().FindProperty("Caption"));
  // Empty slots stay empty, however many the source's Count says there are.
  source->SetCount(INT32_MAX);
  back.Assign(source);
  EXPECT_EQ(back.Count(), INT32_MAX);
  EXPECT_EQ(back.GetLangValue(1), Variant("Deutsch"));
  EXPECT_FALSE(back.HasLangValue(2));
}

TEST(LanguageEntries, DefaultsAndAssignment) {
  TComponent owner(nullptr);
  TLanguageEntries languages(&owner);
  EXPECT_EQ(languages.GetOwner(), &owner);
  TLanguageEntry* english = languages.Add();
  EXPECT_EQ(english->SubIndex(), -1);
  EXPECT_FALSE(english->IsActive());
  english->SetName("English");
  english->SetHint("default");
  english->SetSubIndex(0);
  EXPECT_TRUE(english->IsActive());

  TLanguageEntries copy(nullptr);
  copy.Assign(&languages);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Items(0)->Name(), "English");
  EXPECT_EQ(copy.Items(0)->Hint(), "default");
  EXPECT_EQ(copy.Items(0)->SubIndex(), 0);
  TConsistentLangPropertyEntry unrelated(nullptr);
  EXPECT_THROW(copy.Items(0)->Assign(&unrelated), EConvertError);
}

}  // namespace
}  // namespace wdx
