// The language control on real forms: loading, switching through frames, events and errors.
#include "LangControl/Source/LangControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControlFrames.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/ObjectText.h"
#include "framework/components/Reader.h"
#include "framework/components/Strings.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Register.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/ObjectStore.h"
#include "framework/rtti/Published.h"
#include "platform/LocaleFormat.h"

namespace {
// Every allocation of the test program through the global operator new.
std::size_t allocations = 0;
}  // namespace

// The plain forms of the global operator new, replaced together with their deletes so that
// every block they hand out is counted (the aligned forms are left as they are).
void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size > 0 ? size : 1)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size > 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete[](void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  std::free(block);
}

namespace wdx {
namespace {

std::vector<std::string> events;
// Runs after the BeforeChange handler has logged; it may destroy the form.
std::function<void()> afterBefore;

// A form whose handlers log the language control's events with the form's name.
class TEventForm : public TForm {
 public:
  WDX_CLASS(TEventForm)
  using TForm::TForm;
  void Before(TObject*) {
    Log("before");
    if (afterBefore) afterBefore();
  }
  void Changed(TObject*) {
    Log("change");
    if (onChange) onChange();
  }
  void After(TObject*) { Log("after"); }
  std::function<void()> onChange;

 private:
  void Log(const std::string& what) {
    auto* label = static_cast<TLabel*>(FindComponent("Label1"));
    events.push_back(what + " " + Name() + " " + label->Caption());
  }
};

const TMetaClass& TEventForm::StaticClass() {
  using F = TEventForm;
  static const TMetaClass meta(
      "TEventForm", &TForm::StaticClass(), FactoryOf<F>(), {},
      {PublishedMethod<F>("Before", &F::Before), PublishedMethod<F>("Changed", &F::Changed),
       PublishedMethod<F>("After", &F::After)});
  return meta;
}

// The hexadecimal "Values" of a property entry whose slots 1 and 2 hold these texts.
std::string ValuesHex(const std::vector<std::string>& slots) {
  std::string hex;
  for (const std::string& text : slots) {
    const uint32_t size = static_cast<uint32_t>(4 + text.size());
    for (int i = 0; i < 4; ++i) hex += Format("%02X", (size >> (8 * i)) & 0xFF);
    hex += "00010000";
    for (unsigned char c : text) hex += Format("%02X", c);
  }
  return hex;
}

// A form with one label captioned `english`, translated to German and Spanish.
std::string FormText(const std::string& name, const std::string& english,
                     const std::string& extra = "", const std::string& language = "English") {
  return "object " + name +
         ": TEventForm\n"
         "  object Label1: TLabel\n    Caption = '" +
         english +
         "'\n  end\n"
         "  object LangControl: TLangControl\n"
         "    Language = '" +
         language + "'\n" + extra +
         "    BeforeChange = Before\n    OnChange = Changed\n    AfterChange = After\n"
         "    LanguageManager_Langs = <\n"
         "      item\n Name = 'English'\n SubIndex = 0\n end\n"
         "      item\n Name = 'German'\n SubIndex = 1\n end\n"
         "      item\n Name = 'Spanish'\n SubIndex = 2\n end>\n"
         "    LanguageManager_Comps = <\n      item\n        Items = <>\n        Props = <\n"
         "          item\n            Name = 'Caption'\n            Kind = tkLString\n"
         "            Count = 3\n            Values = {" +
         ValuesHex({english + "-de", english + "-es"}) +
         "}\n          end>\n        SubType = [stPubPropObject]\n        Ref = Label1\n"
         "      end>\n"
         "    LanguageManager_Names = ''\n    LanguageManager_Values = ''\n  end\nend\n";
}

class LangControlTest : public ::testing::Test {
 protected:
  void SetUp() override { Start("English"); }
  void TearDown() override {
    forms_.clear();
    ShutdownLanguageLibrary();
    Application().SetOnException(nullptr);
    events.clear();
    afterBefore = nullptr;
  }
  void Start(const std::string& systemLanguage) {
    ShutdownLanguageLibrary();
    StartupLanguageLibrary(systemLanguage);
    RegisterStandardControls();
    RegisterClass(TLangControl::StaticClass());
    RegisterClass(TEventForm::StaticClass());
    errors_.clear();
    senders_.clear();
    Application().SetOnException([this](TObject* sender, const Exception& e) {
      errors_.push_back(e.Message());
      senders_.push_back(sender);
    });
  }
  TEventForm* Load(const std::string& text) {
    auto form = std::make_unique<TEventForm>(&Application());
    const auto bytes = ObjectTextToBinary(text);
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.SetGlobalScope(&Application());
    reader.ReadRootComponent(form.get());
    forms_.push_back(std::move(form));
    return forms_.back().get();
  }
  static std::string Caption(TEventForm* form) {
    return static_cast<TLabel*>(form->FindComponent("Label1"))->Caption();
  }
  static TLangControl* Control(TEventForm* form) {
    return static_cast<TLangControl*>(form->FindComponent("LangControl"));
  }
  std::vector<std::unique_ptr<TEventForm>> forms_;
  std::vector<std::string> errors_;
  std::vector<TObject*> senders_;
};

// A language control whose OnChange step itself fails with a standard exception.
class TFailingLangControl : public TLangControl {
 public:
  WDX_CLASS(TFailingLangControl)
  explicit TFailingLangControl(TComponent* owner) : TLangControl(owner, StaticClass()) {}

 protected:
  void DoChange() override { throw std::logic_error("no change today"); }
};

const TMetaClass& TFailingLangControl::StaticClass() {
  static const TMetaClass meta("TFailingLangControl", &TLangControl::StaticClass(),
                               FactoryOf<TFailingLangControl>(), {});
  return meta;
}

TEST_F(LangControlTest, LoadingFiresTheEventsOnceInTheFrameLanguage) {
  TEventForm* a = Load(FormText("FormA", "Hello"));
  EXPECT_EQ(events, (std::vector<std::string>{"before FormA Hello", "change FormA Hello",
                                              "after FormA Hello"}));
  EXPECT_EQ(Control(a)->Language(), "English");
  Start("German");
  events.clear();
  TEventForm* b = Load(FormText("FormB", "Hello"));
  EXPECT_EQ(Caption(b), "Hello-de");
  EXPECT_EQ(events, (std::vector<std::string>{"before FormB Hello-de", "change FormB Hello-de",
                                              "after FormB Hello-de"}));
  // English moved to German's old slot; switching back restores the text exactly.
  Control(b)->SetLanguage("English");
  EXPECT_EQ(Caption(b), "Hello");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(LangControlTest, TwoFormsSwitchTogetherInPhaseOrder) {
  TEventForm* a = Load(FormText("FormA", "One"));
  TEventForm* b = Load(FormText("FormB", "Two"));
  events.clear();
  Control(b)->SetLanguage("spanish");
  EXPECT_EQ(events, (std::vector<std::string>{"before FormA One", "before FormB Two",
                                              "change FormA One-es", "change FormB Two-es",
                                              "after FormA One-es", "after FormB Two-es"}));
  EXPECT_EQ(Control(a)->Language(), "Spanish");
  EXPECT_EQ(GetFrameLanguage(Control(a)->Routine()), "spanish");
  events.clear();
  Control(a)->SetLanguage("SPANISH");  // the frame shows it already: nothing at all happens
  EXPECT_TRUE(events.empty());
  Control(a)->SetLanguage("Deutsch");  // the native name selects the language named German
  EXPECT_EQ(Caption(a), "One-de");
  EXPECT_EQ(Caption(b), "Two-de");
  Control(a)->SetLanguage("English");
  EXPECT_EQ(Caption(a), "One");
  EXPECT_EQ(Caption(b), "Two");
}

TEST_F(LangControlTest, AMissingLanguageIsNoErrorAndTheEventsStillFire) {
  TEventForm* a = Load(FormText("FormA", "One"));
  events.clear();
  Control(a)->SetLanguage("Klingon");
  EXPECT_EQ(Caption(a), "One");
  EXPECT_EQ(events.size(), 3u);
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(GetFrameLanguage(Control(a)->Routine()), "Klingon");
  events.clear();
  Control(a)->SetLanguage("   ");
  EXPECT_TRUE(events.empty());
}

TEST_F(LangControlTest, TheFirstFormFallsBackToItsStoredLanguageOnlyWhenItIsTheFirst) {
  Start("French");
  TEventForm* a = Load(FormText("FormA", "One", "", "German"));
  EXPECT_EQ(Caption(a), "One-de");  // French is not among its languages: its stored German
  EXPECT_EQ(GetFrameLanguage(Control(a)->Routine()), "German");
  Control(a)->SetLanguage("French");
  TEventForm* b = Load(FormText("FormB", "Two"));
  EXPECT_EQ(Caption(b), "Two");  // a later form keeps its active language
  EXPECT_EQ(GetFrameLanguage(Control(b)->Routine()), "French");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(LangControlTest, ALanguageChangeFromAChangeEventIsRefused) {
  TEventForm* a = Load(FormText("FormA", "One"));
  a->onChange = [&] { Control(a)->SetLanguage("English"); };
  Control(a)->SetLanguage("German");
  EXPECT_EQ(errors_,
            std::vector<std::string>{"SetGlobalLanguage cannot be called when still processing"});
  EXPECT_EQ(Caption(a), "One-de");
  a->onChange = nullptr;
  Control(a)->SetLanguage("English");  // the guard was released
  EXPECT_EQ(Caption(a), "One");
}

TEST_F(LangControlTest, TopLevelOpensItsOwnFrameAndIsFixedAtRunTime) {
  TEventForm* a = Load(FormText("FormA", "One"));
  TEventForm* b = Load(FormText("FormB", "Two", "    TopLevel = True\n"));
  TEventForm* c = Load(FormText("FormC", "Three"));
  Control(c)->SetLanguage("German");
  EXPECT_EQ(Caption(a), "One");
  EXPECT_EQ(Caption(b), "Two-de");
  EXPECT_EQ(Caption(c), "Three-de");
  try {
    Control(a)->SetTopLevel(true);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TLangControl.TopLevel can only be changed at designing time");
  }
}

TEST_F(LangControlTest, DestroyingATranslatedComponentRemovesItsEntry) {
  TEventForm* a = Load(FormText("FormA", "One"));
  TComponentEntries& entries = *Control(a)->Manager().Components();
  ASSERT_EQ(entries.Count(), 1);
  delete a->FindComponent("Label1");
  EXPECT_EQ(entries.Count(), 0);
  a->onChange = nullptr;
}

TEST_F(LangControlTest, StandardExceptionsAreReportedWithTheControlAsSender) {
  TEventForm* a = Load(FormText("FormA", "One"));
  TEventForm* b = Load(FormText("FormB", "Two"));
  a->onChange = [] { throw std::runtime_error("handler trouble"); };
  EXPECT_NO_THROW(Control(b)->SetLanguage("German"));
  EXPECT_EQ(errors_, std::vector<std::string>{"handler trouble"});
  EXPECT_EQ(senders_, std::vector<TObject*>{Control(a)});
  EXPECT_EQ(Caption(a), "One-de");
  EXPECT_EQ(Caption(b), "Two-de");
  EXPECT_EQ(events.back(), "after FormB Two-de");  // the broadcast went on
  a->onChange = nullptr;

  // A step of the control itself that fails the same way, outside any handler.
  errors_.clear();
  senders_.clear();
  TForm owner(nullptr);
  auto* failing = new TFailingLangControl(&owner);
  EXPECT_NO_THROW(failing->SetLanguage("Spanish"));
  EXPECT_EQ(errors_, std::vector<std::string>{"no change today"});
  EXPECT_EQ(senders_, std::vector<TObject*>{failing});
}

TEST_F(LangControlTest, ADomainChangeSurvivesAHandlerThatDestroysTheForm) {
  TEventForm* a = Load(FormText("FormA", "One"));
  TEventForm* b = Load(FormText("FormB", "Two", "    Domain = 'Reports'\n"));
  Control(b)->SetLanguage("German");
  events.clear();
  // FormA joins the domain, which shows German: its control switches in four phases, and the
  // first of them destroys its form.
  afterBefore = [&] {
    afterBefore = nullptr;
    forms_.erase(forms_.begin());
  };
  Control(a)->SetDomain("reports");
  EXPECT_EQ(events, std::vector<std::string>{"before FormA One"});
  ASSERT_EQ(forms_.size(), 1u);
  EXPECT_EQ(DomainFrames()->FindFrame(Control(b)->Routine())->Members().Count(), 1);
  Control(b)->SetLanguage("English");
  EXPECT_EQ(Caption(b), "Two");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(LangControlTest, TheTagBeforeTheLanguageDataIsReadAndNotLookedAt) {
  // Whatever tag stands before the items of "LanguageManager_Langs" and "_Comps", the items
  // that follow it are read.
  auto bytes = ObjectTextToBinary(FormText("FormA", "One"));
  const std::pair<std::string, uint8_t> tags[] = {{"LanguageManager_Langs", 0x01},
                                                  {"LanguageManager_Comps", 0x8E}};
  for (const auto& [name, tag] : tags) {
    const std::string text(bytes.begin(), bytes.end());
    const size_t at = text.find(name);
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(bytes[at + name.size()], 0x0E);
    bytes[at + name.size()] = tag;
  }
  auto form = std::make_unique<TEventForm>(&Application());
  TMemoryStream stream(bytes);
  TReader reader(stream);
  reader.SetGlobalScope(&Application());
  reader.ReadRootComponent(form.get());
  forms_.push_back(std::move(form));
  TEventForm* a = forms_.back().get();
  EXPECT_EQ(Control(a)->Manager().Languages()->Count(), 3);
  EXPECT_EQ(Control(a)->Manager().Components()->Count(), 1);
  Control(a)->SetLanguage("Spanish");
  EXPECT_EQ(Caption(a), "One-es");
}

TEST(LangControlConstruction, NeedsAnOwnerAndNamesTheClassBeingCreated) {
  try {
    TLangControl control(nullptr);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Component owner for TLangControl required");
  }
  try {
    TFailingLangControl control(nullptr);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Component owner for TFailingLangControl required");
  }
  const TObject* created = nullptr;
  try {
    created = TFailingLangControl::StaticClass().Create(nullptr);
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Component owner for TFailingLangControl required");
  }
  EXPECT_EQ(created, nullptr);
}

// Gives `manager` the languages, in SubIndex order, and one entry translating the property
// `name` of `target`, with one slot.
TInconsistentLangPropertyEntry* TranslateOne(TLanguageManager& manager,
                                             std::initializer_list<const char*> languages,
                                             TComponent* target, const char* name, TTypeKind kind) {
  for (const char* language : languages) {
    auto* entry = manager.Languages()->Add();
    entry->SetName(language);
    entry->SetSubIndex(manager.Languages()->Count() - 1);
  }
  auto* entry = manager.Components()->Add();
  entry->SetRef(target);
  entry->SetSubType({stPubPropObject});
  auto* property = static_cast<TInconsistentLangPropertyEntry*>(entry->Props()->Add());
  property->SetName(name);
  property->SetKind(kind);
  property->SetCount(1);
  return property;
}

TEST(LanguageManager, SwitchingExchangesSlotsAndSubIndexes) {
  StartupLanguageLibrary("English");
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->Rename("Label1");
  label->SetCaption("en");
  TLanguageManager manager(&form, &form, 2, &form);
  // One slot: normalising fills the new slots with the live text.
  TInconsistentLangPropertyEntry* property =
      TranslateOne(manager, {"English", "German", "Spanish"}, label, "Caption", tkLString);
  manager.PrepareLanguageData();
  EXPECT_EQ(property->Count(), 3);
  EXPECT_EQ(property->GetLangValue(2).ToString(), "en");
  property->SetLangValue(2, Variant("es"));
  EXPECT_TRUE(manager.SetLanguageByIndex(2));
  EXPECT_EQ(label->Caption(), "es");
  EXPECT_EQ(manager.Languages()->Items(0)->SubIndex(), 2);
  EXPECT_EQ(manager.Languages()->Items(1)->SubIndex(), 1);
  EXPECT_EQ(manager.Languages()->Items(2)->SubIndex(), 0);
  EXPECT_FALSE(manager.SetLanguageByIndex(2));  // already active
  EXPECT_TRUE(manager.SetLanguageByIndex(0));
  EXPECT_EQ(label->Caption(), "en");
  EXPECT_EQ(property->GetLangValue(2).ToString(), "es");
  manager.Languages()->Items(0)->SetSubIndex(4);
  manager.Languages()->Items(2)->SetSubIndex(5);
  try {
    manager.SetLanguageByIndex(1);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TLanguageManager.SetLanguageByIndex: Active language not found");
  }
  EXPECT_EQ(manager.Languages()->Items(1)->SubIndex(), 1);
  TLanguageManager orphan(&form, &form, 2, nullptr);
  try {
    orphan.PrepareLanguageData();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TLanguageManager.GetStringInterface failed. NIL Control");
  }
  ShutdownLanguageLibrary();
}

TEST(LanguageManager, PreparingGivesEachEntryOneSlotPerLanguage) {
  struct Case {
    int languages;
    int32_t count;  // the entry's slots as read, slot k holding "s<k>" from slot 1 on
    int32_t expected;
    const char* lastSlot;  // the text of the entry's last slot afterwards
  };
  const Case cases[] = {
      {3, 5, 3, "s2"},           // cut: slots 3 and 4 belong to no language
      {0, 4, 1, "live"},         // no language: one slot, the live one
      {3, 1, 3, "live"},         // new slots copy the live text
      {2, 2, 2, "s1"},           // as it should be: untouched
      {3, 2147483647, 3, "s2"},  // a count no stream could hold costs nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->Rename("Label1");
    label->SetCaption("live");
    TLanguageManager manager(&form, &form, 2, &form);
    std::vector<const char*> names = {"English", "German", "Spanish"};
    names.resize(static_cast<size_t>(c.languages));
    TInconsistentLangPropertyEntry* entry = TranslateOne(manager, {}, label, "Caption", tkLString);
    for (const char* name : names) {
      auto* language = manager.Languages()->Add();
      language->SetName(name);
      language->SetSubIndex(manager.Languages()->Count() - 1);
    }
    entry->SetCount(c.count);
    for (int32_t k = 1; k < std::min(c.count, 5); ++k)
      entry->SetLangValue(k, Variant("s" + std::to_string(k)));
    manager.PrepareLanguageData();
    EXPECT_EQ(entry->Count(), c.expected);
    EXPECT_EQ(entry->GetLangValue(c.expected - 1), Variant(c.lastSlot));
  }

  // A value without text form stops preparing at its entry, which stays as it was; the entries
  // the walk reaches after it are cut all the same, and are not filled.
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->Rename("Label1");
  TLanguageManager manager(&form, &form, 2, &form);
  TInconsistentLangPropertyEntry* after = TranslateOne(manager, {}, label, "Caption", tkLString);
  after->SetCount(6);
  TInconsistentLangPropertyEntry* short_ = TranslateOne(manager, {}, label, "Caption", tkLString);
  TInconsistentLangPropertyEntry* unfilled =
      TranslateOne(manager, {"English", "German", "Spanish"}, label, "Caption", tkLString);
  manager.Components()->Items(2)->SetSubType({});  // no way to a live value: Null
  EXPECT_THROW(manager.PrepareLanguageData(), EVariantError);
  EXPECT_EQ(unfilled->Count(), 1);
  EXPECT_EQ(short_->Count(), 1);
  EXPECT_EQ(after->Count(), 3);
}

// A component with a number among its properties.
class TRatioBox : public TComponent {
 public:
  WDX_CLASS(TRatioBox)
  using TComponent::TComponent;
  double Ratio = 1.5;
};

const TMetaClass& TRatioBox::StaticClass() {
  static const TMetaClass meta(
      "TRatioBox", &TComponent::StaticClass(), FactoryOf<TRatioBox>(),
      {Published<TRatioBox>("Ratio", &TRatioBox::Ratio, &TRatioBox::Ratio)});
  return meta;
}

TEST(LanguageManager, NewSlotsTakeNumbersAsTheUsersLocaleWritesThem) {
  // German numbers where the locale comes from the environment; the Windows build asks the
  // system, so the expected text is the one its settings give.
  static char german[] = "LC_ALL=de_DE.UTF-8";
  static char restored[] = "LC_ALL=";
  const char* saved = std::getenv("LC_ALL");
  const std::string savedValue = saved ? saved : "";
  putenv(german);
  const std::string expected = "1" + std::string(1, UserFormatSettings().DecimalSeparator) + "5";

  TForm form(nullptr);
  auto* box = new TRatioBox(&form);
  box->Rename("Box1");
  TLanguageManager manager(&form, &form, 2, &form);
  TInconsistentLangPropertyEntry* property =
      TranslateOne(manager, {"English", "German"}, box, "Ratio", tkFloat);
  manager.PrepareLanguageData();
  EXPECT_EQ(property->GetLangValue(1), Variant(expected));
  // The text goes back into the number when its language becomes active.
  box->Ratio = 2.5;
  EXPECT_TRUE(manager.SetLanguageByIndex(1));
  EXPECT_EQ(box->Ratio, 1.5);
  EXPECT_TRUE(manager.SetLanguageByIndex(0));
  EXPECT_EQ(box->Ratio, 2.5);

  static std::string back;
  back = "LC_ALL=" + savedValue;
  putenv(saved ? back.data() : restored);
}

TEST(LanguageManager, TheStringTableKeepsOnlyTranslatedLines) {
  TForm form(nullptr);
  auto* owner = new TComponent(&form);
  owner->Rename("Control");
  TLanguageManager manager(&form, &form, 2, owner);
  manager.Names()->SetText("a\nb\nc\n");
  manager.Values()->SetText("A\nB\nC\n");
  TMainEntry* resources = manager.GetStringInterface(true);
  ASSERT_NE(resources, nullptr);
  EXPECT_EQ(resources->Name(), "Resources");
  EXPECT_EQ(manager.GetStringInterface(false), resources);
  resources->Props()->Add()->SetIndex(2);  // only line 2 ("c") is translated
  manager.SyncStringTable();
  EXPECT_EQ(manager.Names()->Text(), "c\r\n");
  EXPECT_EQ(manager.Values()->Text(), "C\r\n");
  EXPECT_EQ(resources->Props()->Items(0)->Index(), 0);
  manager.Values()->Add("extra");
  resources->SetTarget(nullptr);
  try {
    manager.SyncStringTable();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Inconsistent internal language data");
  }
}

// Labels L0, L1, ... captioned en0, en1, ... and translated into German and Spanish by a
// manager of their own.
class TranslatedLabels {
 public:
  explicit TranslatedLabels(int count) {
    for (const char* name : {"English", "German", "Spanish"}) {
      auto* language = manager.Languages()->Add();
      language->SetName(name);
      language->SetSubIndex(manager.Languages()->Count() - 1);
    }
    for (int i = 0; i < count; ++i) {
      Translate(Add("en" + std::to_string(i)), "-de", "-es");
    }
    manager.PrepareLanguageData();
  }

  TLabel* Add(const std::string& caption) {
    auto* label = new TLabel(&form);
    label->Rename("L" + std::to_string(labels.size()));
    label->SetCaption(caption);
    labels.push_back(label);
    return label;
  }
  // Translates the caption: slots 1 and 2 hold it with these suffixes.
  TInconsistentLangPropertyEntry* Translate(TLabel* label, const std::string& one,
                                            const std::string& two) {
    TComponentEntry* entry = manager.Components()->Add();
    entry->SetRef(label);
    entry->SetSubType({stPubPropObject});
    auto* property = static_cast<TInconsistentLangPropertyEntry*>(entry->Props()->Add());
    property->SetName("Caption");
    property->SetKind(tkLString);
    property->SetCount(3);
    property->SetLangValue(1, Variant(label->Caption() + one));
    property->SetLangValue(2, Variant(label->Caption() + two));
    return property;
  }
  // The captions of the labels that are left, in order.
  std::string Captions() const {
    std::string text;
    for (const TLabel* label : labels) {
      if (label) text += (text.empty() ? "" : " ") + label->Caption();
    }
    return text;
  }
  void Free(size_t label) {
    delete labels[label];
    labels[label] = nullptr;
  }

  TForm form{nullptr};
  std::vector<TLabel*> labels;
  TLanguageManager manager{&form, &form, 2, &form};
};

TEST(LanguageSwitch, EntriesChangedSinceTheLastSwitchTakePart) {
  TranslatedLabels t(3);
  ASSERT_TRUE(t.manager.SetLanguageByIndex(1));
  EXPECT_EQ(t.Captions(), "en0-de en1-de en2-de");
  // English now holds slot 1, Spanish slot 2.
  TLabel* added = t.Add("new-de");
  TInconsistentLangPropertyEntry* property = t.Translate(added, "", "");
  property->SetLangValue(1, Variant("new"));
  property->SetLangValue(2, Variant("new-es"));
  t.Free(1);
  t.labels[2]->Rename("Renamed");
  t.manager.Components()->Items(0)->Props()->Items(0)->SetPropInfo(nullptr);
  ASSERT_TRUE(t.manager.SetLanguageByIndex(2));
  EXPECT_EQ(t.Captions(), "en0-es en2-es new-es");
  EXPECT_EQ(t.manager.Components()->IndexOfName("Renamed"), 1);
  ASSERT_TRUE(t.manager.SetLanguageByIndex(0));
  EXPECT_EQ(t.Captions(), "en0 en2 new");
}

TEST(LanguageSwitch, SurvivesASetterThatDestroysTranslatedComponents) {
  TranslatedLabels t(5);
  // The switch visits L4 first. When it reaches L3, L1 (still ahead) and L4 (done) go.
  bool done = false;
  TControl::SetChangeHook([&](TControl& control) {
    if (done || &control != t.labels[3]) return;
    done = true;
    t.Free(1);
    t.Free(4);
  });
  ASSERT_TRUE(t.manager.SetLanguageByIndex(1));
  TControl::SetChangeHook(nullptr);
  EXPECT_TRUE(done);
  EXPECT_EQ(t.Captions(), "en0-de en2-de en3-de");
  EXPECT_EQ(t.manager.Components()->Count(), 3);
  ASSERT_TRUE(t.manager.SetLanguageByIndex(0));
  EXPECT_EQ(t.Captions(), "en0 en2 en3");
  ASSERT_TRUE(t.manager.SetLanguageByIndex(2));
  EXPECT_EQ(t.Captions(), "en0-es en2-es en3-es");
}

TEST(LanguageSwitch, ASetterThatDestroysItsOwnComponentEndsOnlyThatExchange) {
  TranslatedLabels t(3);
  // L0 translates its Left as well, a value that takes the general way rather than the one
  // for texts; the walk reaches it before L0's caption.
  auto* left = static_cast<TInconsistentLangPropertyEntry*>(
      t.manager.Components()->Items(0)->Props()->Add());
  left->SetName("Left");
  left->SetKind(tkInteger);
  left->SetCount(3);
  left->SetLangValue(1, Variant(7));
  left->SetLangValue(2, Variant(9));
  TControl::SetChangeHook([&](TControl& control) {
    if (&control == t.labels[1] || (&control == t.labels[0] && control.Left() == 7)) {
      t.Free(&control == t.labels[0] ? 0 : 1);
    }
  });
  ASSERT_TRUE(t.manager.SetLanguageByIndex(1));
  TControl::SetChangeHook(nullptr);
  EXPECT_EQ(t.Captions(), "en2-de");
  EXPECT_EQ(t.manager.Components()->Count(), 1);
  ASSERT_TRUE(t.manager.SetLanguageByIndex(0));
  EXPECT_EQ(t.Captions(), "en2");
}

TEST(LanguageSwitch, ASwitchStartedByASetterLeavesTheOuterOneItsOwnSteps) {
  TranslatedLabels t(4);
  // The walk goes L3, L2, ...: once L2 shows German, a label is added (it comes first in the
  // walk) and a switch to Spanish runs through every entry. The outer switch then exchanges
  // each entry its own steps have not reached, the new one included, once.
  bool nested = false;
  TControl::SetChangeHook([&](TControl& control) {
    if (nested || &control != t.labels[2]) return;
    nested = true;
    t.Translate(t.Add("new"), "-de", "-es");
    t.manager.SetLanguageByIndex(2);
  });
  ASSERT_TRUE(t.manager.SetLanguageByIndex(1));
  TControl::SetChangeHook(nullptr);
  ASSERT_TRUE(nested);
  EXPECT_EQ(t.Captions(), "en0-de en1-de en2-es en3-es new-de");
}

TEST(LanguageSwitch, AllocatesNothingOnceEveryTextHasBeenEverywhere) {
  TranslatedLabels t(40);
  // Texts of many lengths, the longest of an entry in any of its slots.
  for (int i = 0; i < 40; ++i) {
    auto* property = static_cast<TInconsistentLangPropertyEntry*>(
        t.manager.Components()->Items(i)->Props()->Items(0));
    property->SetLangValue(1 + i % 2, Variant(std::string(static_cast<size_t>(i * 3), 'x')));
  }
  const auto round = [&t] {
    for (int language : {1, 2, 0}) ASSERT_TRUE(t.manager.SetLanguageByIndex(language));
  };
  round();
  round();
  const size_t blocks = object_store::Allocations();
  const size_t news = allocations;
  round();
  EXPECT_EQ(object_store::Allocations(), blocks);
  EXPECT_EQ(allocations, news);
}

TEST(LanguageSwitch, AnErrorEndsTheExchangeAtItsEntry) {
  TranslatedLabels t(3);
  static_cast<TInconsistentLangPropertyEntry*>(t.manager.Components()->Items(1)->Props()->Items(0))
      ->SetCount(2);
  try {
    t.manager.SetLanguageByIndex(2);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TInconsistentLangPropertyEntry.ExchangeLangValues: Invalid index");
  }
  // The walk goes from the last entry to the first.
  EXPECT_EQ(t.Captions(), "en0 en1 en2-es");
}

TEST(LanguageSwitch, ValuesOtherThanStoredTextsChangePlacesToo) {
  TranslatedLabels t(1);
  TLabel* label = t.labels[0];
  label->SetTag(5);
  TComponentEntry* entry = t.manager.Components()->Items(0);
  auto* tag = static_cast<TInconsistentLangPropertyEntry*>(entry->Props()->Add());
  tag->SetName("Tag");
  tag->SetKind(tkInteger);
  tag->SetCount(3);
  tag->SetLangValue(1, Variant(7));
  tag->SetLangValue(2, Variant(9));
  auto* caption = static_cast<TInconsistentLangPropertyEntry*>(entry->Props()->Items(0));
  caption->SetLangValue(1, Variant(42));
  ASSERT_TRUE(t.manager.SetLanguageByIndex(1));
  EXPECT_EQ(label->Caption(), "42");
  EXPECT_EQ(label->Tag(), 7);
  ASSERT_TRUE(t.manager.SetLanguageByIndex(0));
  EXPECT_EQ(label->Caption(), "en0");
  EXPECT_EQ(label->Tag(), 5);
  EXPECT_EQ(caption->GetLangValue(1), Variant("42"));
  EXPECT_EQ(tag->GetLangValue(1), Variant(7));
}

}  // namespace
}  // namespace wdx
