// A language added to a form's data: its slot in every entry, and a live switch to it and back.
#include "LangControl/Source/LanguageAdding.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/ObjectText.h"
#include "framework/components/Reader.h"
#include "framework/components/Strings.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "framework/controls/Register.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/ClassRegistry.h"

namespace wdx {
namespace {

// A form with two labels and a string-table line, in English (active) and German.
std::string FormWithStringTable(const std::string& secondLanguage = "German",
                                int secondSubIndex = 1) {
  return "object F: TForm\n"
         "  object Label1: TLabel\n    Caption = 'Hello'\n  end\n"
         "  object Label2: TLabel\n    Caption = 'Bye'\n  end\n"
         "  object LangControl: TLangControl\n"
         "    Language = 'English'\n"
         "    LanguageManager_Langs = <\n"
         "      item\n Name = 'English'\n SubIndex = 0\n end\n"
         "      item\n Name = '" +
         secondLanguage + "'\n SubIndex = " + std::to_string(secondSubIndex) +
         "\n end>\n"
         "    LanguageManager_Comps = <\n"
         "      item\n Items = <>\n Props = <\n"
         "          item\n Name = 'Caption'\n Kind = tkLString\n Count = 2\n"
         "            Values = {090000000001000048616C6C6F}\n end>\n"  // "Hallo"
         "        SubType = [stPubPropObject]\n Ref = Label1\n end\n"
         "      item\n Items = <>\n Props = <\n"
         "          item\n Name = 'Caption'\n Kind = tkLString\n Count = 2\n"
         "            Values = {08000000000100004369616F}\n end>\n"  // "Ciao"
         "        SubType = [stPubPropObject]\n Ref = Label2\n end\n"
         "      item\n Items = <\n"
         "          item\n Name = 'Resources'\n Items = <>\n Props = <\n"
         "              item\n Kind = tkLString\n Index = 0\n Count = 2\n"
         "                Values = {0C00000000010000546167206E656E6E}\n end>\n"  // "Tag nenn"
         "            SubType = [stTStringsObject, stNoValidate]\n end>\n"
         "        Props = <>\n SubType = [stPubPropObject]\n Ref = LangControl\n end>\n"
         "    LanguageManager_Names = 'sGreeting'#13#10\n"
         "    LanguageManager_Values = 'Good day'#13#10\n"
         "  end\n"
         "end\n";
}

class LanguageAdding : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageLibrary("English");
    RegisterStandardControls();
    RegisterClass(TLangControl::StaticClass());
  }
  void TearDown() override {
    form_.reset();
    ShutdownLanguageLibrary();
  }

  TForm* Load(const std::vector<uint8_t>& bytes) {
    form_ = std::make_unique<TForm>(&Application());
    TMemoryStream stream(bytes);
    TReader reader(stream);
    reader.SetGlobalScope(&Application());
    reader.ReadRootComponent(form_.get());
    return form_.get();
  }
  std::vector<uint8_t> Written() const {
    TMemoryStream out;
    TWriter writer(out);
    writer.WriteRootComponent(form_.get());
    return out.Bytes();
  }
  TLangControl& Control() const {
    return *static_cast<TLangControl*>(form_->FindComponent("LangControl"));
  }
  TLanguageManager& Manager() const { return Control().Manager(); }
  std::string Caption(const std::string& label) const {
    return static_cast<TLabel*>(form_->FindComponent(label))->Caption();
  }
  // The counts and slot texts of every property entry, in walk order ("-" for an empty slot).
  std::vector<std::string> Slots() const {
    std::vector<std::string> slots;
    Manager().Components()->ForEachProperty(
        [&slots](TMainEntry*, TPropertyEntry* property, void*, bool&) {
          auto* values = dynamic_cast<TConsistentLangPropertyEntry*>(property);
          std::string row = std::to_string(values->Count()) + ":";
          for (int32_t k = 0; k < values->Count(); ++k) {
            row += " " + (values->HasLangValue(k) || k == 0 ? values->GetLangValue(k).ToString()
                                                            : std::string("-"));
          }
          slots.push_back(row);
        });
    return slots;
  }

  std::unique_ptr<TForm> form_;
};

TEST_F(LanguageAdding, TakesTheNextSlotInEveryEntryAsACopyOfTheActiveValue) {
  Load(ObjectTextToBinary(FormWithStringTable()));
  // An entry not (yet) at one slot per language: every slot up to the new one gets the copy.
  Manager().Components()->ForEachProperty([](TMainEntry*, TPropertyEntry* property, void*, bool&) {
    auto* values = dynamic_cast<TConsistentLangPropertyEntry*>(property);
    if (values->GetLangValue(0).ToString() == "Bye") values->SetCount(1);
  });
  TLanguageEntry* french = AddLanguage(Manager(), "  French ");
  EXPECT_EQ(french->Name(), "French");
  EXPECT_EQ(french->SubIndex(), 2);
  EXPECT_EQ(Manager().Languages()->Count(), 3);
  EXPECT_EQ(Manager().Languages()->Items(2), french);
  // Walk order: the component entries from the last; the string-table line, then the labels.
  EXPECT_EQ(Slots(), (std::vector<std::string>{"3: Good day Tag nenn Good day", "3: Bye Bye Bye",
                                               "3: Hello Hallo Hello"}));
}

TEST_F(LanguageAdding, AFormWithTheAddedLanguageSwitchesToItAndBackExactly) {
  Load(ObjectTextToBinary(FormWithStringTable()));
  AddLanguage(Manager(), "French");
  Manager().Components()->ForEachProperty([](TMainEntry*, TPropertyEntry* property, void*, bool&) {
    auto* values = dynamic_cast<TConsistentLangPropertyEntry*>(property);
    if (values->GetLangValue(0).ToString() == "Hello") values->SetLangValue(2, Variant("Bonjour"));
  });
  const std::vector<uint8_t> before = Written();

  // Through a fresh load, as a program meets the form.
  Load(before);
  EXPECT_EQ(Written(), before);
  Control().SetLanguage("Francais");  // the native name selects it too
  EXPECT_EQ(Control().Language(), "French");
  EXPECT_EQ(Caption("Label1"), "Bonjour");
  EXPECT_EQ(Caption("Label2"), "Bye");  // untranslated: the source text
  EXPECT_EQ(Manager().Values()->Get(0), "Good day");
  Control().SetLanguage("German");
  EXPECT_EQ(Caption("Label1"), "Hallo");
  EXPECT_EQ(Caption("Label2"), "Ciao");
  EXPECT_EQ(Manager().Values()->Get(0), "Tag nenn");
  Control().SetLanguage("French");
  EXPECT_EQ(Caption("Label1"), "Bonjour");
  Control().SetLanguage("English");
  EXPECT_EQ(Caption("Label1"), "Hello");
  EXPECT_EQ(Caption("Label2"), "Bye");
  EXPECT_EQ(Manager().Values()->Get(0), "Good day");
  EXPECT_EQ(Written(), before);

  // Stored while French is active, it comes back in French and returns to the same bytes.
  Control().SetLanguage("French");
  const std::vector<uint8_t> inFrench = Written();
  Load(inFrench);
  EXPECT_EQ(Control().Language(), "French");
  EXPECT_EQ(Caption("Label1"), "Bonjour");
  Control().SetLanguage("English");
  EXPECT_EQ(Written(), before);
}

TEST_F(LanguageAdding, RefusesANameItHasAnEmptyNameAndBrokenSlotsChangingNothing) {
  const auto expectRefused = [this](const std::string& name, const std::string& message) {
    const std::vector<std::string> slots = Slots();
    const int languages = Manager().Languages()->Count();
    try {
      AddLanguage(Manager(), name);
      ADD_FAILURE() << name << " was added";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), message);
    }
    EXPECT_EQ(Manager().Languages()->Count(), languages);
    EXPECT_EQ(Slots(), slots);
  };
  Load(ObjectTextToBinary(FormWithStringTable()));
  expectRefused("Deutsch", "AddLanguage: Language 'Deutsch' already exists");
  expectRefused(" english", "AddLanguage: Language 'english' already exists");
  expectRefused(" \t", "AddLanguage: Empty language name");
  // German in slot 2 of a two-language form: the next slot would be taken twice.
  Load(ObjectTextToBinary(FormWithStringTable("German", 2)));
  expectRefused("French", "AddLanguage: Inconsistent language slots");
}

}  // namespace
}  // namespace wdx
