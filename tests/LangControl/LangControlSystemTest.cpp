#include "LangControl/Source/LangControlSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include <set>
#include <string>

#include "framework/rtl/StrUtils.h"

namespace wdx {
namespace {

TEST(DefaultLanguages, FortyTwoUniqueRowsSortedByEnglishName) {
  std::set<int> ids;
  for (int i = 0; i < kDefaultLanguageCount; ++i) {
    ids.insert(DefaultLanguages[i].LanguageId);
    EXPECT_LT(DefaultLanguages[i].LanguageId, 0x100);
    if (i > 0) {
      EXPECT_LT(std::string(DefaultLanguages[i - 1].Names[nkEnglish]),
                std::string(DefaultLanguages[i].Names[nkEnglish]));
    }
  }
  EXPECT_EQ(ids.size(), 42u);
  EXPECT_STREQ(DefaultLanguages[0].Names[nkNative], "Afrikaans");
  EXPECT_STREQ(DefaultLanguages[41].Names[nkEnglish], "Vietnamese");
  // UTF-8, as every text in memory.
  EXPECT_EQ(std::string(DefaultLanguages[36].Names[nkNative]), std::string("Español"));
  EXPECT_EQ(std::string(DefaultLanguages[39].Names[nkNative]),
            "Türkç"
            "e");
  EXPECT_EQ(std::string(DefaultLanguages[22].Names[nkNative]), "Íslenskur");
  EXPECT_STREQ(DefaultLanguages[1].Names[nkNative], "");
}

// Every row exactly: identifier, English name and native name (UTF-8).
TEST(DefaultLanguages, EveryRowHasItsIdentifierAndBothSpellings) {
  struct Row {
    int id;
    std::string english;
    std::string native;
  };
  const Row rows[kDefaultLanguageCount] = {
      {0x36, "Afrikaans", "Afrikaans"},
      {0x1C, "Albanian", ""},
      {0x01, "Arabic", ""},
      {0x2D, "Basque", ""},
      {0x23, "Belarusian", ""},
      {0x02, "Bulgarian", ""},
      {0x03, "Catalan", ""},
      {0x04, "Chinese", ""},
      {0x1A, "Croatian", ""},
      {0x05, "Czech", ""},
      {0x06, "Danish", "Dansk"},
      {0x13, "Dutch", "Nederlands"},
      {0x09, "English", "English"},
      {0x25, "Estonian", "Eesti"},
      {0x38, "Faeroese", ""},
      {0x29, "Farsi", ""},
      {0x0B, "Finnish", "Suomi"},
      {0x0C, "French", "Francais"},
      {0x07, "German", "Deutsch"},
      {0x08, "Greek", ""},
      {0x0D, "Hebrew", ""},
      {0x0E, "Hungarian", "Magyar"},
      {0x0F, "Icelandic", "Íslenskur"},
      {0x21, "Indonesian", "Indonesia"},
      {0x10, "Italian", "Italiano"},
      {0x11, "Japanese", ""},
      {0x12, "Korean", ""},
      {0x26, "Latvian", ""},
      {0x27, "Lithuanian", ""},
      {0x14, "Norwegian", "Norsk"},
      {0x15, "Polish", "Polski"},
      {0x16, "Portuguese", "Português"},
      {0x18, "Romanian", "Român"},
      {0x19, "Russian", ""},
      {0x1B, "Slovak", "Slovenský"},
      {0x24, "Slovenian", "Slovénski"},
      {0x0A, "Spanish", "Español"},
      {0x1D, "Swedish", "Svenska"},
      {0x1E, "Thai", ""},
      {0x1F, "Turkish",
       "Türkç"
       "e"},
      {0x22, "Ukrainian", ""},
      {0x2A, "Vietnamese", ""},
  };
  for (int i = 0; i < kDefaultLanguageCount; ++i) {
    EXPECT_EQ(DefaultLanguages[i].LanguageId, rows[i].id) << i;
    EXPECT_EQ(DefaultLanguages[i].Names[nkEnglish], rows[i].english) << i;
    EXPECT_EQ(DefaultLanguages[i].Names[nkNative], rows[i].native) << i;
    // Each row is found by its identifier with any sublanguage above it.
    std::string english;
    std::string native;
    EXPECT_TRUE(FindLanguageById(0x0400 | rows[i].id, english, native)) << i;
    EXPECT_EQ(english, rows[i].english);
    EXPECT_EQ(native, rows[i].native);
  }
}

TEST(FindLanguageById, UsesTheLowByteOfTheLanguageIdentifier) {
  std::string english = "x";
  std::string native = "x";
  EXPECT_TRUE(FindLanguageById(0x0407, english, native));
  EXPECT_EQ(english, "German");
  EXPECT_EQ(native, "Deutsch");
  EXPECT_TRUE(FindLanguageById(0x0807, english, native));
  EXPECT_EQ(english, "German");
  EXPECT_TRUE(FindLanguageById(0x041A, english, native));
  EXPECT_EQ(english, "Croatian");
  EXPECT_EQ(native, "");
  EXPECT_TRUE(FindLanguageById(0x0416, english, native));
  EXPECT_EQ(english, "Portuguese");
  EXPECT_EQ(native, "Português");

  EXPECT_FALSE(FindLanguageById(0x39, english, native));
  EXPECT_EQ(english, "");
  EXPECT_EQ(native, "");
  EXPECT_FALSE(FindLanguageById(0, english, native));
}

TEST(FindDefaultLanguage, ReturnsTheRowAndItsOwnSpelling) {
  std::string name = "german";
  int row = -1;
  EXPECT_TRUE(FindDefaultLanguage(nkEnglish, name, row));
  EXPECT_EQ(name, "German");
  EXPECT_EQ(row, 18);

  name = "deutsch";
  EXPECT_FALSE(FindDefaultLanguage(nkEnglish, name, row));
  EXPECT_EQ(row, -1);
  EXPECT_EQ(name, "deutsch");
  EXPECT_TRUE(FindDefaultLanguage(nkNative, name, row));
  EXPECT_EQ(name, "Deutsch");

  // Rows without a native name never match, not even an empty name.
  name = "";
  EXPECT_FALSE(FindDefaultLanguage(nkNative, name, row));
  EXPECT_EQ(row, -1);
}

TEST(SameLanguage, MatchesEqualNamesAndTheTwoNamesOfOneRow) {
  EXPECT_TRUE(SameLanguage("German", "deutsch"));
  EXPECT_TRUE(SameLanguage("DEUTSCH", "german"));
  EXPECT_FALSE(SameLanguage("German", "Allemand"));
  EXPECT_FALSE(SameLanguage("Albanian", ""));
  EXPECT_FALSE(SameLanguage("", ""));
  EXPECT_FALSE(SameLanguage("  ", " \t"));
  EXPECT_TRUE(SameLanguage("  English \t", "english"));
  EXPECT_FALSE(SameLanguage("Spanish", "Espanol"));
  EXPECT_TRUE(SameLanguage("Klingon", "klingon"));
  EXPECT_FALSE(SameLanguage("German", "Dansk"));
  EXPECT_FALSE(SameLanguage("Deutsch", "Dansk"));  // two native names never match

  // Only the ASCII letters fold: a capital N-tilde is another character than the small one.
  EXPECT_TRUE(SameLanguage("Spanish", "Español"));
  EXPECT_FALSE(SameLanguage("Spanish", "ESPAÑOL"));
  EXPECT_TRUE(SameLanguage("Spanish", "ESPAñOL"));
  EXPECT_TRUE(SameLanguage("ESPAñOL", "spanish"));
}

// Either name of a row, trimmed and in any ASCII case, gives the row's code page; other names
// give Windows-1252.
TEST(LanguageCodePage, FindsEitherNameTrimmedIgnoringCase) {
  const std::pair<std::string, int> cases[] = {
      {"Russian", 1251},
      {" \trussian\n", 1251},
      {"JAPANESE", 932},
      {"Polski ", 1250},
      {"Deutsch", 1252},
      {"Greek", 1253},
      {"Klingon", 1252},
      {"", 1252},
      {"Rus sian", 1252},
      {std::string("Russian\0", 8), 1251},
      // Regional variants and scripts stand beside the table with code pages of their own.
      {"Chinese (Traditional)", 950},
      {"chinese (simplified) ", 936},
      {"Serbian (Latin)", 1250},
      {"Srpski (latinica)", 1250},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageCodePage(c.first), c.second) << c.first;
  // A variant is its own language, never its base's.
  EXPECT_FALSE(SameLanguage("Chinese (Traditional)", "Chinese"));
  EXPECT_FALSE(SameLanguage("Chinese (Traditional)", "Chinese (Simplified)"));
  EXPECT_TRUE(SameLanguage("Serbian (Latin)", "srpski (latinica)"));
}

#ifndef _WIN32
// A user whose locale is a variant is offered the variant by its names; the fallback to the base
// language is the language control's, not the system's.
TEST(GetSystemLanguage, NamesAVariantAsItself) {
  const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> saved[3];
  for (int i = 0; i < 3; ++i) {
    if (const char* value = std::getenv(names[i])) saved[i] = value;
    unsetenv(names[i]);
  }
  const std::pair<const char*, const char*> cases[] = {
      {"zh_TW.UTF-8", "Chinese (Traditional)"},
      {"sr_RS@latin", "Serbian (Latin)"},
      {"pt_PT", "Portuguese"},
      {"de_AT", "German"},
  };
  for (const auto& [locale, language] : cases) {
    setenv("LANG", locale, 1);
    std::string english;
    std::string native;
    EXPECT_TRUE(GetSystemLanguage(english, native)) << locale;
    EXPECT_EQ(english, language) << locale;
  }
  for (int i = 0; i < 3; ++i) {
    if (saved[i])
      setenv(names[i], saved[i]->c_str(), 1);
    else
      unsetenv(names[i]);
  }
}
#endif

}  // namespace
}  // namespace wdx
