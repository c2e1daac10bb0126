#include "framework/rtl/Variant.h"

#include <gtest/gtest.h>

#include "framework/rtl/Exceptions.h"

namespace wdx {
namespace {

TEST(VariantConversion, IntegersFromEveryNumericKind) {
  EXPECT_EQ(Variant().ToInteger(), 0);
  EXPECT_EQ(Variant::Smallint(-2).ToInteger(), -2);
  EXPECT_EQ(Variant::Byte(200).ToInteger(), 200);
  EXPECT_EQ(Variant(true).ToInteger(), -1);
  EXPECT_EQ(Variant(2.5).ToInteger(), 2);  // halves go to the even neighbour
  EXPECT_EQ(Variant(3.5).ToInteger(), 4);
  EXPECT_EQ(Variant::Currency(15000).ToInteger(), 2);
  EXPECT_EQ(Variant("  42 ").ToInteger(), 42);
  EXPECT_EQ(Variant("$1F").ToInteger(), 31);
  EXPECT_EQ(Variant("7.6").ToInteger(), 8);
}

TEST(VariantConversion, FailuresNameBothTypes) {
  try {
    Variant("abc").ToInteger();
    FAIL();
  } catch (const EVariantTypeCastError& e) {
    EXPECT_STREQ(e.what(), "Could not convert variant of type (String) into type (Integer)");
  }
  try {
    Variant::Null().ToString();
    FAIL();
  } catch (const EVariantTypeCastError& e) {
    EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (String)");
  }
  EXPECT_THROW(Variant(5e12).ToInteger(), EVariantTypeCastError);
  EXPECT_THROW(Variant::OfType(varError, 3).ToString(), EVariantTypeCastError);
  EXPECT_THROW(Variant::Array(varInteger, {Variant(1)}).ToInteger(), EVariantTypeCastError);
  EXPECT_THROW(Variant("yes").ToBoolean(), EVariantTypeCastError);
}

TEST(VariantConversion, TextForms) {
  EXPECT_EQ(Variant(3).ToString(), "3");
  EXPECT_EQ(Variant(1.5).ToString(), "1.5");
  EXPECT_EQ(Variant(0.1).ToString(), "0.1");
  EXPECT_EQ(Variant(1e20).ToString(), "1E20");
  EXPECT_EQ(Variant(1e-5).ToString(), "1E-5");
  EXPECT_EQ(Variant::Single(0.1f).ToString(), "0.1");
  EXPECT_EQ(Variant::Currency(15000).ToString(), "1.5");
  EXPECT_EQ(Variant::Currency(-12345).ToString(), "-1.2345");
  EXPECT_EQ(Variant(false).ToString(), "False");
  EXPECT_EQ(Variant::Date(0).ToString(), "1899-12-30");
  EXPECT_EQ(Variant::Date(45000.5).ToString(), "2023-03-15 12:00:00");
  EXPECT_EQ(Variant::Wide(u"Espa\u00f1ol \u20ac \u4e2d").ToString(), "Español € 中");
}

TEST(VariantConversion, OtherTargets) {
  EXPECT_DOUBLE_EQ(Variant("2.25").ToDouble(), 2.25);
  EXPECT_DOUBLE_EQ(Variant::Currency(15000).ToDouble(), 1.5);
  EXPECT_EQ(Variant(1.5).ToCurrency(), 15000);
  EXPECT_EQ(Variant(7).ToCurrency(), 70000);
  EXPECT_EQ(Variant("0.0001").ToCurrency(), 1);
  EXPECT_TRUE(Variant("TRUE").ToBoolean());
  EXPECT_FALSE(Variant("0").ToBoolean());
  EXPECT_TRUE(Variant(0.5).ToBoolean());
  EXPECT_THROW(Variant::Null().ToDouble(), EVariantTypeCastError);
}

TEST(VariantEquality, ComparesTypeAndValue) {
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
  EXPECT_FALSE(Variant(1) == Variant::Smallint(1));
  EXPECT_FALSE(Variant() == Variant::Null());
  EXPECT_EQ(Variant::Array(varInteger, {1, 2}), Variant::Array(varInteger, {1, 2}));
}

}  // namespace
}  // namespace wdx
