#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace wdx {
namespace {

// Clears the locale variables for a test and puts them back afterwards.
class LocaleTest : public ::testing::Test {
 protected:
  static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

  void SetUp() override {
    for (int i = 0; i < 3; ++i) {
      const char* value = std::getenv(kVariables[i]);
      saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
      unsetenv(kVariables[i]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
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

  std::optional<std::string> saved_[3];
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

}  // namespace
}  // namespace wdx
