// Texts of a program's code: their placeholders, and where Translate finds them: the program's
// translation over the library's over English, in the language the program's source gives.
#include "framework/rtl/Texts.h"

#include <gtest/gtest.h>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/TextCatalogue.h"

namespace wdx {
namespace {

TEST(Texts, PlaceholdersAreFilledByNameAndBracesEscapeThemselves) {
  const struct {
    const char* text;
    const char* filled;
  } cases[] = {
      {"Save {file}?", "Save a.cfg?"},     {"{count} in {file}, {count}", "3 in a.cfg, 3"},
      {"{{file}} and {{", "{file} and {"}, {"{unknown} {file", "{unknown} {file"},
      {"}} {file}}", "} a.cfg}"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FillPlaceholders(c.text, {{"file", "a.cfg"}, {"count", "3"}}), c.filled) << c.text;
  }
}

TEST(Texts, TheProgramsTranslationWinsOverTheLibrarysThenEnglish) {
  using namespace text_catalogue;
  const TText greeting = WDX_TEXT("Test.Greeting", "Hello, {name}");
  const TText farewell = WDX_TEXT("Test.Farewell", "Goodbye");
  const TText other = WDX_TEXT("Test.Other", "Other");
  Add(TLayer::kLibrary, Decode("WENDRIX TEXTS 1\n[German]\nTest.Greeting=Servus\nTest.Farewell="
                               "Pfiat di\n"));
  Add(TLayer::kProgram, {{"German", "Test.Greeting", "Hallo, {name}\n\\"}});
  std::string language = "German";
  SetLanguageSource([&language] { return language; });
  EXPECT_EQ(Translate(greeting, {{"name", "Anna"}}), "Hallo, Anna\n\\");
  EXPECT_EQ(Translate(farewell), "Pfiat di");
  EXPECT_EQ(Translate(other), "Other");
  language = "Spanish";
  EXPECT_EQ(Translate(greeting, {{"name", "Anna"}}), "Hello, Anna");
  SetLanguageSource(nullptr);
  EXPECT_EQ(Translate(farewell), "Goodbye");
  Clear();
}

TEST(TextCatalogue, KeepsEveryTextThroughItsTextFormAndRefusesAnythingElse) {
  using namespace text_catalogue;
  const std::vector<TEntry> entries = {{"*", "A.B", "a\\b\r\n\tc"}, {"German", "A.B", "=x"}};
  const std::vector<TEntry> back = Decode(Encode(entries));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Text, entries[0].Text);
  EXPECT_EQ(back[1].Language, "German");
  EXPECT_EQ(back[1].Text, "=x");
  for (const char* bad : {"", "WENDRIX TEXTS 2\n", "WENDRIX TEXTS 1\nA=b\n",
                          "WENDRIX TEXTS 1\n[]\n", "WENDRIX TEXTS 1\n[de]\n=b\n",
                          "WENDRIX TEXTS 1\n[de]\nA=b\\q\n", "WENDRIX TEXTS 1\n[de]\nA=b"}) {
    EXPECT_THROW(Decode(bad), EReadError) << bad;
  }
}

}  // namespace
}  // namespace wdx
