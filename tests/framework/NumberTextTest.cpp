#include "framework/rtl/NumberText.h"

#include <gtest/gtest.h>

#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

TEST(TryStrToInt, DecimalAndHexadecimalLimits) {
  EXPECT_EQ(TryStrToInt("2147483647"), 2147483647);
  EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
  EXPECT_FALSE(TryStrToInt("2147483648"));
  EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(TryStrToInt("0x10"), 16);
  EXPECT_FALSE(TryStrToInt("$100000000"));
  for (const char* bad : {"", "-", "$", "0x", " 1", "1 ", "1a", "+-1"}) {
    EXPECT_FALSE(TryStrToInt(bad)) << bad;
  }
  EXPECT_EQ(TryStrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_FALSE(TryStrToInt64("9223372036854775808"));
}

TEST(StrToInt, ReportsTheText) {
  try {
    StrToInt("12x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12x' is not a valid integer value");
  }
}

TEST(FloatText, RoundTripsAndIgnoresTheCLocale) {
  EXPECT_EQ(FloatToStr(-0.5), "-0.5");
  EXPECT_EQ(FloatToStr(123456789012345678.0), "1.23456789012346E17");
  EXPECT_EQ(TryStrToFloat(" 1.5 "), 1.5);
  EXPECT_FALSE(TryStrToFloat("1,5"));
  EXPECT_FALSE(TryStrToFloat(""));
  EXPECT_EQ(CurrToStr(INT64_MIN), "-922337203685477.5808");
}

}  // namespace
}  // namespace wdx
