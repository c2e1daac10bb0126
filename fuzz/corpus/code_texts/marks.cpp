// The texts a program's code marks, as the build finds them in its sources, and their
// translations as a program's PO files give them beside the form's.
#include "translations/CodeTexts.h"

#include <gtest/gtest.h>

#include "LangControl/Source/LangControl.h"
#include "tests/tools/ToolTestSupport.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace wdx {
namespace {

TEST(CodeTexts, FindsEveryMarkWithItsLineAndNotesAndPassesOverTheRest) {
  const std::string source =
      "// WDX_TEXT(\"Commented\", \"out\")\n"                                // 1
      "#define WDX_TEXT(name, english) x\n"                                  // 2
      "const char* s = \"WDX_TEXT(\\\"Quoted\\\", \\\"no\\\")\";\n"          // 3
      "int n = 1'000; char c = '\"';\n"                                      // 4
      "//. A note for translators,\n"                                        // 5
      "//. on two lines.\n"                                                  // 6
      "const TText a = WDX_TEXT(\"A.Name\",\n"                               // 7
      "    \"Tab\\there, \" u8\"caf\\u00e9 \\x41\\101\"\n"                   // 8
      "    R\"(raw \"q\")\");\n"                                             // 9
      "/* WDX_TEXT(\"Block\", \"comment\") */ f(WDX_TEXT(\"B\", \"b\"));\n"  // 10
      "g(WDX_TEXT(kName, \"x\"));\n"                                         // 11
      "h(WDX_TEXT(\"C=D\", \"x\"));\n";                                      // 12
  std::vector<std::string> problems;
  const std::vector<TCodeText> texts = FindCodeTexts(source, "a.cpp", problems);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Name, "A.Name");
  EXPECT_EQ(texts[0].English, "Tab\there, caf\xc3\xa9 AAraw \"q\"");
  EXPECT_EQ(texts[0].Line, 7);
  EXPECT_EQ(texts[0].Notes, (std::vector<std::string>{"A note for translators,", "on two lines."}));
  EXPECT_EQ(texts[1].Name, "B");
  EXPECT_EQ(texts[1].Line, 10);
  EXPECT_TRUE(texts[1].Notes.empty());
  EXPECT_EQ(problems,
            (std::vector<std::string>{
                "a.cpp:11: WDX_TEXT takes a name and an English text, both string literals",
                "a.cpp:12: the name of a text holds neither '=' nor a line break, and is "
                "not empty"}));
  // One name, two English texts, in two files.
  problems.clear();
  CollectCodeTexts({{"a.cpp", "WDX_TEXT(\"X\", \"one\")"}, {"b.cpp", "\nWDX_TEXT(\"X\", \"two\")"}},
                   problems);
  EXPECT_EQ(problems, (std::vector<std::string>{
                          "b.cpp:2: the text 'X' is marked with another English text at a.cpp:1"}));
}

TEST(CodeTexts, APoFileTranslatesThemBesideTheFormsTextsAndKeepsTheirPlaceholders) {
  using tooltest::ShippedStream;
  const std::vector<TOtherText> others = {
      {"Test.Saved", "Saved to {file}."}, {"Test.Plain", "Plain"}, {"Test.Fuzzy", "Fuzzy"}};
  const std::string po =
      "msgid \"\"\nmsgstr \"Language: de\\n\"\n\n"
      "msgctxt \"btCancel.Caption\"\nmsgid \"Cancel\"\nmsgstr \"Abbrechen\"\n\n"
      "msgctxt \"Test.Saved\"\nmsgid \"Saved to {file}.\"\nmsgstr \"In {file} gespeichert.\"\n\n"
      "msgctxt \"Test.Plain\"\nmsgid \"Plain\"\nmsgstr \"Schlicht {file}\"\n\n"
      "#, fuzzy\nmsgctxt \"Test.Fuzzy\"\nmsgid \"Fuzzy\"\nmsgstr \"Unscharf\"\n\n"
      "msgctxt \"Test.Gone\"\nmsgid \"Gone\"\nmsgstr \"Weg\"\n";
  StartupLanguageLibrary();
  std::vector<PoError> problems;
  const TProgramTranslations translated =
      ImportProgramTranslations(ShippedStream(), {{"de.po", po}}, others, &problems);
  ShutdownLanguageLibrary();
  ASSERT_EQ(translated.Texts.size(), 1u);
  EXPECT_EQ(translated.Texts[0].Language, "German");
  EXPECT_EQ(translated.Texts[0].Text, "In {file} gespeichert.");
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_STREQ(problems[0].what(),
               "de.po:12: the translation of 'Test.Plain' does not have the placeholders of the "
               "English text, none");
  EXPECT_STREQ(problems[1].what(), "de.po:21: unknown context 'Test.Gone'");
  EXPECT_NE(translated.Form, ShippedStream());  // the form took its text
}

}  // namespace
}  // namespace wdx
