#include "framework/rtl/CodePage.h"

#include <gtest/gtest.h>

namespace wdx {
namespace {

TEST(CodePage, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(WideToAnsi(AnsiToWide(all)), all);
}

TEST(CodePage, HighControlsMapToTheirCharacters) {
  EXPECT_EQ(AnsiToWide("\x80\x9f\xe9"), u"\u20ac\u0178\u00e9");
  EXPECT_EQ(WideToAnsi(u"\u2122\u0100\U0001F600"), "\x99???");  // a surrogate pair is two '?'
}

}  // namespace
}  // namespace wdx
