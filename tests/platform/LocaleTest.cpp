#include "platform/Locale.h"
#include "platform/LocaleFormat.h"

#include "framework/rtl/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace wdx {
namespace {

// Clears the locale variables for a test and puts them back afterwards.
class LocaleTest : public ::testing::Test {
 protected:
  static constexpr const char* kVariables[] = {"LC_ALL",     "LC_MESSAGES", "LANG",
                                               "LC_NUMERIC", "LC_TIME",     "LC_CTYPE"};

  void SetUp() override {
    for (int i = 0; i < 6; ++i) {
      const char* value = std::getenv(kVariables[i]);
      saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
      unsetenv(kVariables[i]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 6; ++i) {
      if (saved_[i]) {
        setenv(kVariables[i], saved_[i]->c_str(), 1);
      } else {
        unsetenv(kVariables[i]);
      }
    }
  }

  static int WithLang(const char* value) {
    setenv("LANG", value, 1);
    return UserDefaultLanguageId();
  }

  std::optional<std::string> saved_[6];
};

TEST_F(LocaleTest, MapsTheLanguagePartToTheWindowsIdentifier) {
  EXPECT_EQ(WithLang("de_DE.UTF-8"), 0x0407);
  EXPECT_EQ(WithLang("de"), 0x0407);
  EXPECT_EQ(WithLang("de_CH"), 0x0807);
  EXPECT_EQ(WithLang("hr_HR@euro"), 0x041A);
  EXPECT_EQ(WithLang("pt_BR.ISO-8859-1"), 0x0416);
  EXPECT_EQ(WithLang("nb_NO.UTF-8"), 0x0414);
  EXPECT_EQ(WithLang("es_ES"), 0x040A);
  EXPECT_EQ(WithLang("en_US.UTF-8"), 0x0409);
  EXPECT_EQ(WithLang("tlh_QO"), 0);  // a language the table does not know
  EXPECT_EQ(WithLang("x"), 0);
}

TEST_F(LocaleTest, SerbianAndBosnianShareCroatiansPrimaryLanguageWithTheirOwnSublanguages) {
  EXPECT_EQ(WithLang("hr_HR.UTF-8"), 0x041A);
  EXPECT_EQ(WithLang("hr_BA"), 0x101A);
  // Serbian is Cyrillic unless the modifier asks for Latin; Bosnian the other way round.
  EXPECT_EQ(WithLang("sr_RS.UTF-8"), 0x281A);
  EXPECT_EQ(WithLang("sr_RS.UTF-8@latin"), 0x241A);
  EXPECT_EQ(WithLang("sr_ME"), 0x301A);
  EXPECT_EQ(WithLang("sr_ME@latin"), 0x2C1A);
  EXPECT_EQ(WithLang("sr_BA@latin"), 0x181A);
  EXPECT_EQ(WithLang("sr_BA"), 0x1C1A);
  EXPECT_EQ(WithLang("sr_CS@Latin"), 0x081A);
  EXPECT_EQ(WithLang("sr"), 0x281A);
  EXPECT_EQ(WithLang("sr_XK@latin"), 0x241A);  // a territory without its own sublanguage
  EXPECT_EQ(WithLang("bs_BA.UTF-8"), 0x141A);
  EXPECT_EQ(WithLang("bs_BA@cyrillic"), 0x201A);
  EXPECT_EQ(WithLang("bs"), 0x141A);
  for (const char* locale : {"sr_RS", "bs_BA", "sr_ME@latin"}) {
    EXPECT_EQ(WithLang(locale) & 0x3FF, 0x1A) << locale;
  }
}

TEST_F(LocaleTest, NumbersAndDatesFollowTheirOwnCategories) {
  setenv("LANG", "de_DE.UTF-8", 1);
  TFormatSettings settings = UserFormatSettings();
  EXPECT_EQ(settings.DecimalSeparator, ',');
  EXPECT_EQ(settings.ShortDateFormat, "dd.MM.yyyy");
  EXPECT_EQ(settings.LongTimeFormat, "HH:mm:ss");

  setenv("LC_NUMERIC", "de_CH", 1);  // Swiss German writes a point
  setenv("LC_TIME", "en_US.UTF-8", 1);
  settings = UserFormatSettings();
  EXPECT_EQ(settings.DecimalSeparator, '.');
  EXPECT_EQ(settings.ShortDateFormat, "M/d/yyyy");
  EXPECT_EQ(settings.LongTimeFormat, "h:mm:ss tt");

  setenv("LC_ALL", "sr_RS@latin", 1);
  settings = UserFormatSettings();
  EXPECT_EQ(settings.DecimalSeparator, ',');
  EXPECT_EQ(settings.ShortDateFormat, "d.M.yyyy");

  // The C locale, or a language the table does not know, writes invariant text.
  for (const char* plain : {"C", "C.UTF-8", "POSIX", "tlh_QO"}) {
    setenv("LC_ALL", plain, 1);
    settings = UserFormatSettings();
    EXPECT_EQ(settings.DecimalSeparator, '.') << plain;
    EXPECT_EQ(settings.ShortDateFormat, "yyyy-MM-dd") << plain;
  }
}

TEST_F(LocaleTest, CAndPosixAndNoLocaleAreEnglish) {
  EXPECT_EQ(UserDefaultLanguageId(), 0x0409);
  EXPECT_EQ(WithLang("C"), 0x0409);
  EXPECT_EQ(WithLang("C.UTF-8"), 0x0409);
  EXPECT_EQ(WithLang("POSIX"), 0x0409);
  EXPECT_EQ(WithLang(""), 0x0409);
}

TEST_F(LocaleTest, TheFirstSetAndNonEmptyVariableWins) {
  setenv("LANG", "fr_FR.UTF-8", 1);
  setenv("LC_MESSAGES", "", 1);
  EXPECT_EQ(UserDefaultLanguageId(), 0x040C);
  setenv("LC_MESSAGES", "it_IT", 1);
  EXPECT_EQ(UserDefaultLanguageId(), 0x0410);
  setenv("LC_ALL", "sv_SE", 1);
  EXPECT_EQ(UserDefaultLanguageId(), 0x041D);
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(UserDefaultLanguageId(), 0x0409);
}

// The files' code page is the locale's codeset as LC_CTYPE gives it; the C locale keeps
// Windows-1252, and a codeset the program cannot write leaves it ASCII.
TEST_F(LocaleTest, FilesAreWrittenInTheCodesetOfTheLocale) {
  const std::pair<const char*, int> cases[] = {
      {"de_DE.UTF-8", kCodePageUtf8},
      {"C.utf8", kCodePageUtf8},
      {"fr_FR.ISO-8859-1", 28591},
      {"ru_RU.CP1251", 1251},
      {"sr_RS.UTF-8@latin", 65001},
      {"ja_JP.eucJP", 20127},
      {"en_US.ISO-8859-15", 20127},
      {"x.ANSI_X3.4-1968", 20127},
      {"C", 1252},
      {"POSIX", 1252},
      {"", 1252},
      {"tlh_QO", 20127},  // a locale the system lacks
  };
  for (const auto& [locale, codePage] : cases) {
    setenv("LANG", locale, 1);
    EXPECT_EQ(FileTextCodePage(), codePage) << locale;
    EXPECT_EQ(FileNameCodePage(true), codePage) << locale;  // a file name is its bytes
  }
  setenv("LC_CTYPE", "de_DE.UTF-8", 1);
  setenv("LANG", "C", 1);
  EXPECT_EQ(FileTextCodePage(), kCodePageUtf8);
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(FileTextCodePage(), 1252);
}

}  // namespace
}  // namespace wdx
