#include "framework/rtl/LocaleNames.h"

#include <gtest/gtest.h>

namespace wdx {
namespace {

TEST(LocaleNames, ALocaleNameGivesTheWindowsLanguageIdentifier) {
  EXPECT_EQ(LanguageIdOfLocaleName("de"), 0x0407);
  EXPECT_EQ(LanguageIdOfLocaleName("DE_at.UTF-8"), 0x0C07);  // a sublanguage of its own
  EXPECT_EQ(LanguageIdOfLocaleName("de_LU"), 0x0407);        // one without: the default
  EXPECT_EQ(LanguageIdOfLocaleName("sr@latin"), 0x241A);  // Serbian: script from the modifier
  EXPECT_EQ(LanguageIdOfLocaleName("bs_BA"), 0x141A);
  EXPECT_EQ(LanguageIdOfLocaleName("nn_NO"), 0x0814);
  EXPECT_EQ(LanguageIdOfLocaleName("iw_IL"), 0x040D);  // the older code
  EXPECT_EQ(LanguageIdOfLocaleName(""), 0);
  EXPECT_EQ(LanguageIdOfLocaleName("C"), 0);  // the C locale is the caller's business
  EXPECT_EQ(LanguageIdOfLocaleName("tlh"), 0);
}

TEST(LocaleNames, AnIdentifierGivesTheCurrentCode) {
  EXPECT_EQ(LocaleCodeOfLanguageId(0x0407), "de");
  EXPECT_EQ(LocaleCodeOfLanguageId(0x0D), "he");  // not "iw"
  EXPECT_EQ(LocaleCodeOfLanguageId(0x0814), "nb");
  EXPECT_EQ(LocaleCodeOfLanguageId(0x21), "id");
  EXPECT_EQ(LocaleCodeOfLanguageId(0x39), "");
}

}  // namespace
}  // namespace wdx
