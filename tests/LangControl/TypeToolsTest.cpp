// Enumeration and set values as text.
#include "LangControl/Source/TypeTools.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace wdx {
namespace {

// Test types: an alignment-like enumeration, a three-element one for pass counting, a ten
// element one for ordinal 9, a subrange and the sets over them.
const TTypeInfo kAnchorKind =
    MakeEnumType("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
const TTypeInfo kAnchors = MakeSetType("TAnchors", &kAnchorKind);
const TTypeInfo kAbc = MakeEnumType("TAbc", {"a", "b", "c"});
const TTypeInfo kAbcSet = MakeSetType("TAbcSet", &kAbc);
const TTypeInfo kTen =
    MakeEnumType("TTen", {"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9"});
const TTypeInfo kTenSet = MakeSetType("TTenSet", &kTen);
const TTypeInfo kMiddle = MakeEnumSubrange("TMiddle", &kAnchorKind, 1, 2);  // akTop..akRight
const TTypeInfo kMiddleSet = MakeSetType("TMiddleSet", &kMiddle);
const TTypeInfo kIntSet = MakeSetType("TIntSet", TypeOf<uint8_t>());
const TTypeInfo kInteger = MakeOrdinalType(tkInteger, "TSmall", 0, 7);

// Runs `action` and returns the ETypeToolError message it raises ("" when none is raised).
// An enumeration with the identifiers e0, e1, ... e<count - 1>.
TTypeInfo NumberedEnum(int count) {
  TTypeInfo type = MakeEnumType("TNumbered", {});
  for (int i = 0; i < count; ++i) {
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "e" + to_string.
    std::string name(1, 'e');
    name.append(std::to_string(i));
    type.NameList.push_back(name);
  }
  type.MaxValue = count - 1;
  return type;
}

template <class F>
std::string ErrorOf(F action) {
  try {
    action();
  } catch (const ETypeToolError& e) {
    return e.Message();
  }
  return "";
}

std::string SetError(const TTypeInfo& type, const std::string& text) {
  return ErrorOf([&] { StrToSet(type, text); });
}

constexpr const char* kFormat1 = "SetToStr failed. Invalid string format (1)";
constexpr const char* kFormat2 = "SetToStr failed. Invalid string format (2)";
constexpr const char* kFormat3 = "SetToStr failed. Invalid string format (3)";
constexpr const char* kNotFound = "StrToEnum failed. String value not found in enumeration type";

// ---------------------------------------------------------------------------------------------
// EnumToStr

TEST(EnumToStr, ReturnsIdentifierOfOrdinal) {
  EXPECT_EQ(EnumToStr(kAnchorKind, 0), "akLeft");
  EXPECT_EQ(EnumToStr(kAnchorKind, 3), "akBottom");
  EXPECT_EQ(EnumToStr(*TypeOf<TTypeKind>(), 10), "tkLString");
}

TEST(EnumToStr, BooleanTypeIsAnEnumeration) {
  EXPECT_EQ(EnumToStr(*TypeOf<bool>(), 0), "False");
  EXPECT_EQ(EnumToStr(*TypeOf<bool>(), 1), "True");
}

TEST(EnumToStr, SubrangeUsesBaseIdentifiersAndOwnRange) {
  EXPECT_EQ(EnumToStr(kMiddle, 1), "akTop");
  EXPECT_EQ(EnumToStr(kMiddle, 2), "akRight");
  EXPECT_EQ(ErrorOf([] { EnumToStr(kMiddle, 0); }), "EnumToStr failed. Invalid ordinal value");
  EXPECT_EQ(ErrorOf([] { EnumToStr(kMiddle, 3); }), "EnumToStr failed. Invalid ordinal value");
}

TEST(EnumToStr, OutOfRangeOrdinalFails) {
  EXPECT_EQ(ErrorOf([] { EnumToStr(kAnchorKind, -1); }), "EnumToStr failed. Invalid ordinal value");
  EXPECT_EQ(ErrorOf([] { EnumToStr(kAnchorKind, 4); }), "EnumToStr failed. Invalid ordinal value");
  EXPECT_EQ(ErrorOf([] { EnumToStr(kAnchorKind, INT32_MIN); }),
            "EnumToStr failed. Invalid ordinal value");
  EXPECT_EQ(ErrorOf([] { EnumToStr(kAnchorKind, INT32_MAX); }),
            "EnumToStr failed. Invalid ordinal value");
}

TEST(EnumToStr, RangeBeyondIdentifierListIsRejectedNotRead) {
  // A malformed descriptor: its range claims more identifiers than it has.
  TTypeInfo broken = MakeEnumType("TBroken", {"x0", "x1"});
  broken.MaxValue = 5;
  EXPECT_EQ(ErrorOf([&] { EnumToStr(broken, 4); }), "EnumToStr failed. Invalid ordinal value");
}

TEST(EnumToStr, NonEnumerationFails) {
  EXPECT_EQ(ErrorOf([] { EnumToStr(kInteger, 0); }), "EnumToStr failed. Not an enumeration");
  EXPECT_EQ(ErrorOf([] { EnumToStr(kAnchors, 0); }), "EnumToStr failed. Not an enumeration");
}

TEST(EnumToStr, ErrorClassDerivesFromException) {
  try {
    EnumToStr(kInteger, 0);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.ClassName(), "ETypeToolError");
  }
}

// ---------------------------------------------------------------------------------------------
// StrToEnum

TEST(StrToEnum, FindsOrdinalIgnoringLetterCase) {
  EXPECT_EQ(StrToEnum(kAnchorKind, "akLeft"), 0);
  EXPECT_EQ(StrToEnum(kAnchorKind, "AKBOTTOM"), 3);
  EXPECT_EQ(StrToEnum(kAnchorKind, "akright"), 2);
  EXPECT_EQ(StrToEnum(*TypeOf<bool>(), "true"), 1);
}

TEST(StrToEnum, CharactersMayDifferOnlyInBit0x20) {
  const TTypeInfo special = MakeEnumType("TSpecial", {"a@1"});
  // '@' (0x40) and '`' (0x60) differ in that bit only, as do 'a' and 'A'; '1' and '2' do not.
  EXPECT_EQ(StrToEnum(special, "A`1"), 0);
  EXPECT_EQ(ErrorOf([&] { StrToEnum(special, "a@2"); }), kNotFound);
}

TEST(StrToEnum, LengthMustMatch) {
  EXPECT_EQ(ErrorOf([] { StrToEnum(kAnchorKind, "akLef"); }), kNotFound);
  EXPECT_EQ(ErrorOf([] { StrToEnum(kAnchorKind, "akLeft "); }), kNotFound);
  EXPECT_EQ(ErrorOf([] { StrToEnum(kAnchorKind, " akLeft"); }), kNotFound);
}

TEST(StrToEnum, EmptyTextAlwaysFails) {
  EXPECT_EQ(ErrorOf([] { StrToEnum(kAnchorKind, ""); }), kNotFound);
  // Even when an identifier of the type is empty.
  const TTypeInfo withEmpty = MakeEnumType("TWithEmpty", {""});
  EXPECT_EQ(ErrorOf([&] { StrToEnum(withEmpty, ""); }), kNotFound);
}

TEST(StrToEnum, FirstMatchWins) {
  const TTypeInfo twice = MakeEnumType("TTwice", {"x", "X"});
  EXPECT_EQ(StrToEnum(twice, "X"), 0);
}

TEST(StrToEnum, IdentifierOutsideSubrangeIsRejected) {
  EXPECT_EQ(StrToEnum(kMiddle, "akTop"), 1);
  EXPECT_EQ(StrToEnum(kMiddle, "AKRIGHT"), 2);
  EXPECT_EQ(ErrorOf([] { StrToEnum(kMiddle, "akLeft"); }), kNotFound);
  EXPECT_EQ(ErrorOf([] { StrToEnum(kMiddle, "akBottom"); }), kNotFound);
}

TEST(StrToEnum, NonEnumerationFails) {
  EXPECT_EQ(ErrorOf([] { StrToEnum(kInteger, "0"); }), "StrToEnum failed. Not an enumeration");
  EXPECT_EQ(ErrorOf([] { StrToEnum(kAnchors, "akLeft"); }), "StrToEnum failed. Not an enumeration");
}

TEST(StrToEnum, RoundTripsEveryIdentifier) {
  const TTypeInfo& kinds = *TypeOf<TTypeKind>();
  for (int32_t i = kinds.MinValue; i <= kinds.MaxValue; ++i) {
    EXPECT_EQ(StrToEnum(kinds, EnumToStr(kinds, i)), i);
  }
}

// ---------------------------------------------------------------------------------------------
// SetToStr

TEST(SetToStr, WritesElementsInAscendingOrderWithoutBlanks) {
  EXPECT_EQ(SetToStr(kAnchors, 0b0011), "[akLeft,akTop]");
  EXPECT_EQ(SetToStr(kAnchors, 0b1010), "[akTop,akBottom]");
  EXPECT_EQ(SetToStr(kAnchors, 0b1111), "[akLeft,akTop,akRight,akBottom]");
  EXPECT_EQ(SetToStr(kAnchors, 0b0100), "[akRight]");
}

TEST(SetToStr, EmptySetIsBrackets) {
  EXPECT_EQ(SetToStr(kAnchors, 0), "[]");
}

TEST(SetToStr, OrdinalsZeroAndNine) {
  EXPECT_EQ(SetToStr(kTenSet, (1u << 0) | (1u << 9)), "[t0,t9]");
}

TEST(SetToStr, BitsAboveTheTypeAreIgnored) {
  EXPECT_EQ(SetToStr(kAnchors, 0xFFFFFFF0u), "[]");
  EXPECT_EQ(SetToStr(kAbcSet, 0x80000002u), "[b]");
}

TEST(SetToStr, ThirtyTwoElementType) {
  const TTypeInfo big = NumberedEnum(40);
  const TTypeInfo bigSet = MakeSetType("TBigSet", &big);
  // Only the low 32 bits exist; bit 31 is the element of ordinal 31.
  EXPECT_EQ(SetToStr(bigSet, 0x80000001u), "[e0,e31]");
}

TEST(SetToStr, ZeroDoesNotConsultElementType) {
  EXPECT_EQ(SetToStr(kIntSet, 0), "[]");
  const TTypeInfo noElement = MakeSetType("TNoElement", nullptr);
  EXPECT_EQ(SetToStr(noElement, 0), "[]");
}

TEST(SetToStr, NonZeroWithNonEnumerationElementFails) {
  EXPECT_EQ(ErrorOf([] { SetToStr(kIntSet, 1); }), "EnumToStr failed. Not an enumeration");
  const TTypeInfo noElement = MakeSetType("TNoElement", nullptr);
  EXPECT_EQ(ErrorOf([&] { SetToStr(noElement, 1); }), "EnumToStr failed. Not an enumeration");
}

TEST(SetToStr, NotASetFailsWithSwappedName) {
  EXPECT_EQ(ErrorOf([] { SetToStr(kAnchorKind, 0); }), "StrToSet failed. Not a set");
  EXPECT_EQ(ErrorOf([] { SetToStr(kInteger, 1); }), "StrToSet failed. Not a set");
}

// ---------------------------------------------------------------------------------------------
// StrToSet

TEST(StrToSet, ReadsElements) {
  EXPECT_EQ(StrToSet(kAnchors, "[akLeft,akTop]"), 0b0011u);
  EXPECT_EQ(StrToSet(kAnchors, "[akBottom,akLeft]"), 0b1001u);
  EXPECT_EQ(StrToSet(kTenSet, "[t0,t9]"), (1u << 0) | (1u << 9));
}

TEST(StrToSet, EmptySet) {
  EXPECT_EQ(StrToSet(kAnchors, "[]"), 0u);
  EXPECT_EQ(StrToSet(kAnchors, "  []  "), 0u);
  EXPECT_EQ(StrToSet(kAnchors, "\r\n\t[]\r\n"), 0u);
}

TEST(StrToSet, BlanksAroundTheTextAreTrimmed) {
  EXPECT_EQ(StrToSet(kAnchors, " \t[akTop]\r\n"), 0b0010u);
}

TEST(StrToSet, TrailingCommaIsAccepted) {
  EXPECT_EQ(StrToSet(kAbcSet, "[a,]"), 0b001u);
}

TEST(StrToSet, EmptyElementFailsWithFormat3) {
  EXPECT_EQ(SetError(kAbcSet, "[,a]"), kFormat3);
  EXPECT_EQ(SetError(kAbcSet, "[a,,b]"), kFormat3);
  EXPECT_EQ(SetError(kAbcSet, "[,]"), kFormat3);
}

TEST(StrToSet, MissingClosingBracketFailsWithFormat3) {
  EXPECT_EQ(SetError(kAbcSet, "[a"), kFormat3);
  EXPECT_EQ(SetError(kAbcSet, "[a,b"), kFormat3);
}

TEST(StrToSet, TextAfterClosingBracketFailsWithFormat2) {
  EXPECT_EQ(SetError(kAbcSet, "[a]x"), kFormat2);
  EXPECT_EQ(SetError(kAbcSet, "[]x"), kFormat2);
  EXPECT_EQ(SetError(kAbcSet, "[a,]]"), kFormat2);
}

TEST(StrToSet, NothingLeftFailsWithFormat2) {
  EXPECT_EQ(SetError(kAbcSet, "["), kFormat2);
  EXPECT_EQ(SetError(kAbcSet, "[a,"), kFormat2);
}

TEST(StrToSet, MissingOpeningBracketOrEmptyTextFailsWithFormat1) {
  EXPECT_EQ(SetError(kAbcSet, "a]"), kFormat1);
  EXPECT_EQ(SetError(kAbcSet, "a"), kFormat1);
  EXPECT_EQ(SetError(kAbcSet, ""), kFormat1);
  EXPECT_EQ(SetError(kAbcSet, " \r\n "), kFormat1);
  EXPECT_EQ(SetError(kAbcSet, "]"), kFormat1);
}

TEST(StrToSet, BlanksInsideBracketsBelongToTheElement) {
  EXPECT_EQ(SetError(kAbcSet, "[a, b]"), kNotFound);
  EXPECT_EQ(SetError(kAbcSet, "[ a]"), kNotFound);
  EXPECT_EQ(SetError(kAbcSet, "[a ]"), kNotFound);
}

TEST(StrToSet, UnknownElementFails) {
  EXPECT_EQ(SetError(kAbcSet, "[a,d]"), kNotFound);
}

TEST(StrToSet, ElementsMatchIgnoringCase) {
  EXPECT_EQ(StrToSet(kAnchors, "[AKLEFT]"), 0b0001u);
  EXPECT_EQ(StrToSet(kAnchors, "[akright,AkBoTtOm]"), 0b1100u);
  // Written back as declared.
  EXPECT_EQ(SetToStr(kAnchors, StrToSet(kAnchors, "[AKLEFT]")), "[akLeft]");
}

TEST(StrToSet, RepeatedElementUsesUpAPass) {
  EXPECT_EQ(StrToSet(kAbcSet, "[a,a]"), 0b001u);
  // Three passes for a three-element type: b is never looked at.
  EXPECT_EQ(StrToSet(kAbcSet, "[a,a,a,b]"), 0b001u);
  EXPECT_EQ(StrToSet(kAbcSet, "[a,a,b]"), 0b011u);
}

TEST(StrToSet, TextBeyondThePassCountIsIgnored) {
  EXPECT_EQ(StrToSet(kAbcSet, "[a,b,c,d]"), 0b111u);
  EXPECT_EQ(StrToSet(kAbcSet, "[c,b,a,,,junk"), 0b111u);
  EXPECT_EQ(StrToSet(kAbcSet, "[a,b,c]trailing"), 0b111u);
  // Within the pass count the same trailing text is an error.
  EXPECT_EQ(SetError(kAbcSet, "[a,b]trailing"), kFormat2);
}

TEST(StrToSet, NotASetFailsWithSwappedName) {
  EXPECT_EQ(SetError(kAnchorKind, "[]"), "SetToStr failed. Not an set");
  EXPECT_EQ(SetError(kInteger, "[]"), "SetToStr failed. Not an set");
}

TEST(StrToSet, NonEnumerationElementFailsOnFirstElement) {
  const TTypeInfo smallIntSet = MakeSetType("TSmallIntSet", &kInteger);
  EXPECT_EQ(StrToSet(smallIntSet, "[]"), 0u);
  EXPECT_EQ(SetError(smallIntSet, "[1]"), "StrToEnum failed. Not an enumeration");
  const TTypeInfo noElement = MakeSetType("TNoElement", nullptr);
  EXPECT_EQ(SetError(noElement, "[]"), "StrToEnum failed. Not an enumeration");
}

TEST(StrToSet, RoundTripsEverySubsetOfAFullEnumeration) {
  for (uint32_t value = 0; value < 16; ++value) {
    EXPECT_EQ(StrToSet(kAnchors, SetToStr(kAnchors, value)), value) << value;
  }
}

TEST(StrToSet, ThirtyTwoElementType) {
  const TTypeInfo big = NumberedEnum(32);
  const TTypeInfo bigSet = MakeSetType("TBigSet", &big);
  EXPECT_EQ(StrToSet(bigSet, "[e31,e0]"), 0x80000001u);
  // Brackets, ten two-letter and 22 three-letter identifiers, 31 commas.
  EXPECT_EQ(SetToStr(bigSet, 0xFFFFFFFFu).size(), 2u + 10u * 2u + 22u * 3u + 31u);
  EXPECT_EQ(StrToSet(bigSet, SetToStr(bigSet, 0xFFFFFFFFu)), 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------------------------
// Sets over a subrange whose minimum is above 0 (the "left to the implementer" behaviour):
// SetToStr numbers bits from the minimum, StrToSet places ordinal v at bit v mod 32 and checks
// the opening bracket only on the pass whose counter (starting at the minimum) is 0.

TEST(SubrangeSet, SetToStrNumbersBitsFromMinimum) {
  EXPECT_EQ(SetToStr(kMiddleSet, 0b01), "[akTop]");
  EXPECT_EQ(SetToStr(kMiddleSet, 0b11), "[akTop,akRight]");
  EXPECT_EQ(SetToStr(kMiddleSet, 0b100), "[]");  // beyond max - min
}

TEST(SubrangeSet, StrToSetPlacesOrdinalAtBitOrdinalMod32) {
  // No opening bracket is expected because the counter never is 0.
  EXPECT_EQ(StrToSet(kMiddleSet, "akTop]"), 1u << 1);
  EXPECT_EQ(StrToSet(kMiddleSet, "akTop,akRight]"), (1u << 1) | (1u << 2));
  EXPECT_EQ(StrToSet(kMiddleSet, "]"), 0u);
}

TEST(SubrangeSet, StrToSetRejectsBracketedText) {
  EXPECT_EQ(SetError(kMiddleSet, "[akTop]"), kNotFound);  // the element read is "[akTop"
  EXPECT_EQ(SetError(kMiddleSet, "[]"), kNotFound);       // the element read is "["
  EXPECT_EQ(SetError(kMiddleSet, ""), kFormat2);
  EXPECT_EQ(SetError(kMiddleSet, "akLeft]"), kNotFound);  // outside the subrange
}

}  // namespace
}  // namespace wdx
