// The dialog's form source and its translations compile to a stream that holds the records other
// programs and the language data rely on, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Writer.h"
#include "framework/controls/Application.h"
#include "framework/rtl/Streams.h"
#include "setup/ConfigUnit.h"

namespace wdx {
namespace {

template <size_t N>
std::string B(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// The dialog's form with the German and Spanish it has always shipped, whatever setup/po/ holds
// (tests/setup/WendrixSetup.bin, which its source and tests/setup/po/ compile to).
std::string ShippedStream() {
  std::ifstream file(WDX_SOURCE_DIR "/tests/setup/WendrixSetup.bin", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(ShippedForm, HoldsTheSaveButtonRecord) {
  const std::string expected =
      B("\x07TButton\x04"
        "btOk\x04Left\x03\x70\x01\x03Top\x03\x8c\x01\x05Width\x02\x4b"
        "\x06Height\x02\x17\x07"
        "Anchors\x0b\x07"
        "akRight\x08"
        "akBottom\x00"
        "\x07"
        "Caption\x06\x04Save\x07"
        "Default\x09\x08TabOrder\x02\x00"
        "\x07OnClick\x07\x09"
        "btOkClick\x00\x00");
  EXPECT_NE(ShippedStream().find(expected), std::string::npos);
}

TEST(ShippedForm, HoldsTheLanguageData) {
  const std::string stream = ShippedStream();
  EXPECT_EQ(stream.substr(0, 4), "TPF0");
  std::string langs = B("\x15LanguageManager_Langs\x0e");
  const char* names[] = {"English", "German", "Spanish"};
  for (int i = 0; i < 3; ++i) {
    const std::string name = names[i];
    langs += B("\x01\x04Name\x06") + std::string(1, static_cast<char>(name.size())) + name +
             B("\x08SubIndex\x02") + std::string(1, static_cast<char>(i)) + B("\x00");
  }
  langs += B("\x00");
  EXPECT_NE(stream.find(langs), std::string::npos);
  const std::string cancelEntry =
      B("\x01\x05Items\x0e\x00\x05Props\x0e\x01\x04Name\x06\x07"
        "Caption\x04Kind\x07\x09"
        "tkLString\x05"
        "Count\x02\x03\x06Values\x0a\x1c\x00\x00\x00"
        "\x0a\x00\x00\x00\x00\x01\x00\x00"
        "Cancel\x0a\x00\x00\x00\x00\x01\x00\x00"
        "Cancel"
        "\x00\x00\x07SubType\x0b\x0fstPubPropObject\x00\x03Ref\x07\x08"
        "btCancel\x00");
  EXPECT_NE(stream.find(cancelEntry), std::string::npos);
  const std::string tail = B("\x16LanguageManager_Values\x06\x00\x00\x00\x00");
  ASSERT_GE(stream.size(), tail.size());
  EXPECT_EQ(stream.substr(stream.size() - tail.size()), tail);
}

}  // namespace
}  // namespace wdx

namespace wdx {
namespace {

// Every caption and text of the dialog's components, by name.
std::map<std::string, std::string> Texts(TComponent& form) {
  std::map<std::string, std::string> texts;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<TControl*>(form.Components(i))) {
      texts[control->Name()] = control->Caption();
    }
  }
  texts["(form)"] = static_cast<TControl&>(form).Caption();
  return texts;
}

class ShippedDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupLanguageLibrary("English");
    const std::string stream = ShippedStream();
    dialog_.reset(
        CreateSetupDialog(&Application(), std::vector<uint8_t>(stream.begin(), stream.end())));
  }
  void TearDown() override {
    dialog_.reset();
    ShutdownLanguageLibrary();
  }
  TLangControl& Control() {
    return *static_cast<TLangControl*>(dialog_->FindComponent("LangControl"));
  }
  std::unique_ptr<TfrmWendrixSetup> dialog_;
};

TEST_F(ShippedDialog, LoadsWholeAndSwitchesEveryTranslatedText) {
  TLanguageManager& manager = Control().Manager();
  ASSERT_EQ(manager.Languages()->Count(), 3);
  EXPECT_EQ(manager.Components()->Count(), 19);
  EXPECT_EQ(Control().Language(), "English");
  const auto english = Texts(*dialog_);
  EXPECT_EQ(english.at("Label1"), "SMTP Server:");
  Control().SetLanguage("German");
  const auto german = Texts(*dialog_);
  EXPECT_EQ(german.at("Label1"), "SMTP server:");  // the shipped German text
  EXPECT_EQ(german.at("GroupBox1"), " Path to Apache \"HTTPD.CONF\" file: ");
  EXPECT_EQ(german.at("(form)"), "Korvane Wendrix Configuration");
  EXPECT_EQ(german.at("edHTTPDConf"), "C:\\Program Files\\Apache Group\\Apache\\conf\\httpd.conf");
  EXPECT_EQ(german.at("Label8"), english.at("Label8"));  // not translated
  Control().SetLanguage("Spanish");
  EXPECT_EQ(Texts(*dialog_).at("Label7"),
            "Used in the From field of every email send by Korvane Wendrix.");
  Control().SetLanguage("English");
  EXPECT_EQ(Texts(*dialog_), english);
  EXPECT_EQ(manager.Languages()->Items(0)->SubIndex(), 0);
}

// A program lists the form's languages and learns when one it asks for is not among them.
TEST_F(ShippedDialog, ListsItsLanguagesAndSaysWhenOneIsMissing) {
  const std::vector<TLangControl::TLanguageInfo> languages = Control().LanguageList();
  ASSERT_EQ(languages.size(), 3u);
  EXPECT_EQ(languages[0].English, "English");
  EXPECT_TRUE(languages[0].Active);
  EXPECT_EQ(languages[1].Native, "Deutsch");
  EXPECT_FALSE(languages[1].Active);
  EXPECT_EQ(languages[2].Native, "Espa\xc3\xb1ol");
  EXPECT_FALSE(Control().TrySetLanguage("Klingon"));
  EXPECT_EQ(Control().Language(), "English");
  EXPECT_TRUE(Control().TrySetLanguage("Deutsch"));
  EXPECT_EQ(Control().Language(), "German");
  EXPECT_TRUE(Control().LanguageList()[1].Active);
}

// Counts and indexes that a stream declares cost what the stream holds, not what they say: each
// form loads, prepares and writes back at about its own size, every entry with one slot per
// language.
TEST(DeclaredSizes, CostWhatTheStreamHolds) {
  const std::string cancelValues =
      B("\x05"
        "Count\x02\x03\x06Values\x0a\x1c\x00\x00\x00"
        "\x0a\x00\x00\x00\x00\x01\x00\x00"
        "Cancel\x0a\x00\x00\x00\x00\x01\x00\x00"
        "Cancel");
  const struct {
    const char* what;
    std::string from, to;
  } cases[] = {
      {"a huge Count after the records", cancelValues,
       B("\x06Values\x0a\x00\x00\x00\x00\x05"
         "Count\x04\xff\xff\xff\x7f")},
      {"a huge Index", cancelValues, B("\x05Index\x04\xfe\xff\xff\x7f") + cancelValues},
      {"a huge SubIndex", B("German\x08SubIndex\x02\x01"),
       B("German\x08SubIndex\x04\xff\xff\xff\x7f")},
  };
  StartupLanguageLibrary("English");
  std::vector<std::string> reported;
  Application().SetOnException(
      [&reported](TObject*, const Exception& error) { reported.push_back(error.Message()); });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string stream = ShippedStream();
    const size_t at = stream.find(c.from);
    ASSERT_NE(at, std::string::npos);
    stream.replace(at, c.from.size(), c.to);
    std::unique_ptr<TfrmWendrixSetup> dialog(
        CreateSetupDialog(&Application(), std::vector<uint8_t>(stream.begin(), stream.end())));
    auto& control = *static_cast<TLangControl*>(dialog->FindComponent("LangControl"));
    control.SetLanguage("German");
    control.SetLanguage("English");
    const TComponentEntry* entry =
        control.Manager().Components()->FindByTarget(dialog->FindComponent("btCancel"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(LangValuesOf(entry->Props()->Items(0))->Count(), 3);
    TMemoryStream written;
    TWriter writer(written);
    writer.WriteRootComponent(dialog.get());
    EXPECT_LE(written.Bytes().size(), stream.size() + 64);
  }
  Application().SetOnException(nullptr);
  ShutdownLanguageLibrary();
}

}  // namespace
}  // namespace wdx
