#include "framework/rtl/LocaleText.h"

#include <gtest/gtest.h>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/NumberText.h"
#include "framework/rtl/Variant.h"

namespace wdx {
namespace {

TFormatSettings German() {
  TFormatSettings settings;
  settings.DecimalSeparator = ',';
  settings.ShortDateFormat = "dd.MM.yyyy";
  return settings;
}

TFormatSettings UnitedStates() {
  TFormatSettings settings;
  settings.ShortDateFormat = "M/d/yyyy";
  settings.LongTimeFormat = "h:mm:ss tt";
  return settings;
}

// 2024-03-05 14:07:09 and the same day at midnight.
constexpr double kAfternoon = 45356 + (14 * 3600 + 7 * 60 + 9) / 86400.0;
constexpr double kMidnight = 45356;

TEST(LocaleText, NumbersAndDatesAreWrittenForTheSettings) {
  EXPECT_EQ(VarToLocaleStr(Variant(1.5), German()), "1,5");
  EXPECT_EQ(VarToLocaleStr(Variant::Single(0.25f), German()), "0,25");
  EXPECT_EQ(VarToLocaleStr(Variant(-1.5e20), German()), "-1,5E20");
  EXPECT_EQ(VarToLocaleStr(Variant::Currency(-15000), German()), "-1,5");
  EXPECT_EQ(VarToLocaleStr(Variant::Date(kAfternoon), German()), "05.03.2024 14:07:09");
  EXPECT_EQ(VarToLocaleStr(Variant::Date(kMidnight), German()), "05.03.2024");
  EXPECT_EQ(VarToLocaleStr(Variant::Date(kAfternoon), UnitedStates()), "3/5/2024 2:07:09 PM");
  EXPECT_EQ(VarToLocaleStr(Variant(7), German()), "7");
  EXPECT_EQ(VarToLocaleStr(Variant("1.5"), German()), "1.5");  // text stays as it is
  EXPECT_THROW(VarToLocaleStr(Variant::Null(), German()), EVariantTypeCastError);

  // The invariant settings write what Variant::ToString writes.
  for (const Variant& value : {Variant(1.5), Variant::Currency(123456), Variant::Date(kAfternoon),
                               Variant::Date(kMidnight), Variant::Date(1e9)}) {
    EXPECT_EQ(VarToLocaleStr(value, TFormatSettings{}), value.ToString());
  }

  TFormatSettings picture;
  picture.ShortDateFormat = "yy 'year' d''M H:h t";
  EXPECT_EQ(DateTimeToStr(kMidnight, picture), "24 year 5'3 0:12 A");
}

TEST(LocaleText, NumbersReadWithAPointOrTheDecimalSeparator) {
  EXPECT_EQ(TryStrToFloat("1,5", German()), 1.5);
  EXPECT_EQ(TryStrToFloat("1.5", German()), 1.5);
  EXPECT_EQ(TryStrToFloat(" -2,25 ", German()), -2.25);
  EXPECT_FALSE(TryStrToFloat("1,5", TFormatSettings{}));
  EXPECT_FALSE(TryStrToFloat("1.000,5", German()));  // no grouping
  EXPECT_FALSE(TryStrToFloat("1,5,0", German()));
}

}  // namespace
}  // namespace wdx
