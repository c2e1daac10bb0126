// The variant buffer encoding of language values.
#include "LangControl/Source/ConvertTools.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wdx {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Encode(const Variant& value) {
  StoreBlock buffer;
  int32_t size = -1;
  VariantToBuffer(value, buffer, size);
  EXPECT_GE(size, 4);
  EXPECT_NE(buffer, nullptr);
  return Bytes(buffer.get(), buffer.get() + size);
}

// Decodes from a heap block of exactly the given bytes, so that a sanitizer build notices any
// read beyond them.
Variant Decode(const Bytes& bytes) {
  auto block = std::make_unique<uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), block.get());
  Variant value;
  BufferToVariant(block.get(), static_cast<int32_t>(bytes.size()), value);
  return value;
}

std::string DecodeError(const Bytes& bytes, Variant* value = nullptr) {
  auto block = std::make_unique<uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), block.get());
  Variant local;
  try {
    BufferToVariant(block.get(), static_cast<int32_t>(bytes.size()), value ? *value : local);
  } catch (const EConvertToolsError& e) {
    return e.Message();
  }
  return "";
}

constexpr const char* kInvalidSize = "BufferToVariant: Invalid buffer size";
constexpr const char* kInvalidBuffer = "BufferToVariant: Invalid buffer";
constexpr const char* kInvalidEntry = "BufferToVariant: Invalid buffer entry";
constexpr const char* kNotSupported = "VariantToBuffer: Variant type not supported";

// ---------------------------------------------------------------------------------------------
// Byte layouts

TEST(VariantToBuffer, EightBitString) {
  EXPECT_EQ(Encode(Variant("Cancel")),
            (Bytes{0x00, 0x01, 0x00, 0x00, 0x43, 0x61, 0x6E, 0x63, 0x65, 0x6C}));
}

TEST(VariantToBuffer, EmptyEightBitString) {
  EXPECT_EQ(Encode(Variant("")), (Bytes{0x00, 0x01, 0x00, 0x00}));
}

TEST(VariantToBuffer, EightBitStringPassesThroughByteForByte) {
  const std::string raw("\x00\xFF\x80\x81 \x9F", 6);
  Bytes expected{0x00, 0x01, 0x00, 0x00};
  expected.insert(expected.end(), raw.begin(), raw.end());
  EXPECT_EQ(Encode(Variant(raw)), expected);
  const Variant decoded = Decode(expected);
  EXPECT_EQ(decoded.VType(), varString);
  EXPECT_EQ(decoded.RawString(), raw);
}

TEST(VariantToBuffer, EmptyAndNull) {
  EXPECT_EQ(Encode(Variant()), (Bytes{0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Encode(Variant::Null()), (Bytes{0x01, 0x00, 0x00, 0x00}));
}

TEST(VariantToBuffer, Integer) {
  EXPECT_EQ(Encode(Variant(3)), (Bytes{0x03, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Encode(Variant(-1)), (Bytes{0x03, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Encode(Variant(INT32_MIN)), (Bytes{0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80}));
  EXPECT_EQ(Encode(Variant(0x12345678)), (Bytes{0x03, 0x00, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12}));
}

TEST(VariantToBuffer, Boolean) {
  EXPECT_EQ(Encode(Variant(true)), (Bytes{0x0B, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_EQ(Encode(Variant(false)), (Bytes{0x0B, 0x00, 0x00, 0x00, 0x00}));
}

TEST(VariantToBuffer, Currency) {
  EXPECT_EQ(Encode(Variant::Currency(15000)),
            (Bytes{0x06, 0x00, 0x00, 0x00, 0x98, 0x3A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(Encode(Variant::Currency(-1)),
            (Bytes{0x06, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(VariantToBuffer, Smallint) {
  EXPECT_EQ(Encode(Variant::Smallint(-2)), (Bytes{0x02, 0x00, 0x00, 0x00, 0xFE, 0xFF}));
  EXPECT_EQ(Encode(Variant::Smallint(0x1234)), (Bytes{0x02, 0x00, 0x00, 0x00, 0x34, 0x12}));
}

TEST(VariantToBuffer, SmallintAndByteKeepTheLowBitsOfTheConvertedValue) {
  EXPECT_EQ(Encode(Variant::OfType(varSmallint, 0x12345)),
            (Bytes{0x02, 0x00, 0x00, 0x00, 0x45, 0x23}));
  EXPECT_EQ(Encode(Variant::OfType(varByte, 0x1FF)), (Bytes{0x11, 0x00, 0x00, 0x00, 0xFF}));
}

TEST(VariantToBuffer, Byte) {
  EXPECT_EQ(Encode(Variant::Byte(200)), (Bytes{0x11, 0x00, 0x00, 0x00, 0xC8}));
}

TEST(VariantToBuffer, Double) {
  EXPECT_EQ(Encode(Variant(1.5)),
            (Bytes{0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F}));
}

TEST(VariantToBuffer, Single) {
  EXPECT_EQ(Encode(Variant::Single(1.5f)), (Bytes{0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x3F}));
  EXPECT_EQ(Encode(Variant::Single(-2.0f)),
            (Bytes{0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0}));
}

TEST(VariantToBuffer, Date) {
  EXPECT_EQ(Encode(Variant::Date(2.25)),
            (Bytes{0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x40}));
}

TEST(VariantToBuffer, WideStringIsHeldAsUtf8) {
  // In memory every character is kept; the stream stores it in its language's code page.
  EXPECT_EQ(Encode(Variant::Wide(u"Ab\u00E9\u4E2D")),
            (Bytes{0x08, 0x00, 0x00, 0x00, 0x41, 0x62, 0xC3, 0xA9, 0xE4, 0xB8, 0xAD}));
  EXPECT_EQ(Encode(Variant::Wide(u"")), (Bytes{0x08, 0x00, 0x00, 0x00}));
}

TEST(VariantToBuffer, ResetsOutputsAndReturnsOwnedBlock) {
  StoreBlock buffer = MakeStoreBlock(16);
  int32_t size = 16;
  VariantToBuffer(Variant(7), buffer, size);
  ASSERT_EQ(size, 8);
  EXPECT_EQ(buffer[0], 3);
  EXPECT_EQ(buffer[4], 7);
}

// ---------------------------------------------------------------------------------------------
// Encoding failures

TEST(VariantToBuffer, UnsupportedTypeFails) {
  for (uint16_t type : {uint16_t{varError}, uint16_t{varDispatch}, uint16_t{varUnknown},
                        uint16_t{varVariant}, uint16_t{varShortInt}, uint16_t{varWord},
                        uint16_t{varLongWord}, uint16_t{varInt64}, uint16_t{0x0FFF}}) {
    StoreBlock buffer = MakeStoreBlock(4);
    int32_t size = 4;
    try {
      VariantToBuffer(Variant::OfType(type, 1), buffer, size);
      ADD_FAILURE() << "no exception for type " << type;
    } catch (const EConvertToolsError& e) {
      EXPECT_EQ(e.Message(), kNotSupported) << type;
    }
    EXPECT_EQ(buffer, nullptr) << type;
    EXPECT_EQ(size, 0) << type;
  }
}

TEST(VariantToBuffer, ErrorClassDerivesFromConvertError) {
  StoreBlock buffer;
  int32_t size = 0;
  try {
    VariantToBuffer(Variant::OfType(varError), buffer, size);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.ClassName(), "EConvertToolsError");
  }
}

TEST(VariantToBuffer, VariantArrayFailsInFrameworkConversion) {
  for (uint16_t element :
       {uint16_t{varInteger}, uint16_t{varString}, uint16_t{varOleStr}, uint16_t{varBoolean},
        uint16_t{varDouble}, uint16_t{varCurrency}, uint16_t{varSmallint}, uint16_t{varByte},
        uint16_t{varSingle}, uint16_t{varDate}}) {
    StoreBlock buffer = MakeStoreBlock(4);
    int32_t size = 4;
    const Variant array = Variant::Array(element, {Variant(1), Variant(2)});
    EXPECT_THROW(VariantToBuffer(array, buffer, size), EVariantTypeCastError) << element;
    EXPECT_EQ(buffer, nullptr) << element;
    EXPECT_EQ(size, 0) << element;
  }
}

TEST(VariantToBuffer, VariantArrayOfUnlistedTypeIsNotSupported) {
  StoreBlock buffer;
  int32_t size = 0;
  try {
    VariantToBuffer(Variant::Array(varVariant, {Variant(1)}), buffer, size);
    FAIL() << "no exception";
  } catch (const EConvertToolsError& e) {
    EXPECT_EQ(e.Message(), kNotSupported);
  }
}

TEST(VariantToBuffer, VariantArrayOfEmptyOrNullIsNotStoredAsScalar) {
  for (uint16_t element : {uint16_t{varEmpty}, uint16_t{varNull}}) {
    StoreBlock buffer;
    int32_t size = 0;
    try {
      VariantToBuffer(Variant::Array(element, {}), buffer, size);
      ADD_FAILURE() << "no exception for element type " << element;
    } catch (const EConvertToolsError& e) {
      EXPECT_EQ(e.Message(), kNotSupported);
    }
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(size, 0);
  }
}

TEST(VariantToBuffer, UnconvertibleValueRaisesFrameworkError) {
  // Not producible by the framework's constructors, but the conversion step must fail cleanly.
  StoreBlock buffer;
  int32_t size = 0;
  EXPECT_THROW(VariantToBuffer(Variant::OfType(varByRef | varInteger), buffer, size),
               EVariantTypeCastError);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(size, 0);
}

// ---------------------------------------------------------------------------------------------
// Decoding

TEST(BufferToVariant, DecodesEachCode) {
  EXPECT_EQ(Decode({0x00, 0x00, 0x00, 0x00}), Variant());
  EXPECT_EQ(Decode({0x01, 0x00, 0x00, 0x00}), Variant::Null());
  EXPECT_EQ(Decode({0x03, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00}), Variant(3));
  EXPECT_EQ(Decode({0x03, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}), Variant(-1));
  EXPECT_EQ(Decode({0x0B, 0x00, 0x00, 0x00, 0x01}), Variant(true));
  EXPECT_EQ(Decode({0x0B, 0x00, 0x00, 0x00, 0x00}), Variant(false));
  EXPECT_EQ(Decode({0x06, 0x00, 0x00, 0x00, 0x98, 0x3A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
            Variant::Currency(15000));
  EXPECT_EQ(Decode({0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F}),
            Variant(1.5));
  EXPECT_EQ(Decode({0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x40}),
            Variant::Date(2.25));
  EXPECT_EQ(Decode({0x00, 0x01, 0x00, 0x00, 0x43, 0x61, 0x6E, 0x63, 0x65, 0x6C}),
            Variant("Cancel"));
  EXPECT_EQ(Decode({0x00, 0x01, 0x00, 0x00}), Variant(""));
}

TEST(BufferToVariant, SmallintDecodesAsSignExtendedInteger) {
  const Variant value = Decode({0x02, 0x00, 0x00, 0x00, 0xFE, 0xFF});
  EXPECT_EQ(value.VType(), varInteger);
  EXPECT_EQ(value.ToInteger(), -2);
}

TEST(BufferToVariant, ByteDecodesAsZeroExtendedInteger) {
  const Variant value = Decode({0x11, 0x00, 0x00, 0x00, 0xC8});
  EXPECT_EQ(value.VType(), varInteger);
  EXPECT_EQ(value.ToInteger(), 200);
}

TEST(BufferToVariant, SingleDecodesAsDouble) {
  const Variant value = Decode({0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x3F});
  EXPECT_EQ(value.VType(), varDouble);
  EXPECT_EQ(value.ToDouble(), 1.5);
  // A value that a single cannot hold exactly comes back as the single's value.
  const Variant tenth = Decode(Encode(Variant::Single(0.1f)));
  EXPECT_EQ(tenth.ToDouble(), static_cast<double>(0.1f));
}

TEST(BufferToVariant, WideStringDecodesAsEightBitString) {
  const Variant value = Decode(Encode(Variant::Wide(u"Abbrechen \u00C4\u20AC")));
  EXPECT_EQ(value.VType(), varString);
  EXPECT_EQ(value.RawString(), "Abbrechen Ä€");
}

TEST(BufferToVariant, AnyNonZeroBooleanByteIsTrue) {
  EXPECT_EQ(Decode({0x0B, 0x00, 0x00, 0x00, 0x7F}), Variant(true));
  EXPECT_EQ(Decode({0x0B, 0x00, 0x00, 0x00, 0xFF}), Variant(true));
}

TEST(BufferToVariant, NullAndEmptyOverwriteAPreviousValue) {
  const Bytes null{0x01, 0x00, 0x00, 0x00};
  Variant value("previous");
  BufferToVariant(null.data(), 4, value);
  EXPECT_TRUE(value.IsNull());
  EXPECT_EQ(value, Variant::Null());

  const Bytes empty{0x00, 0x00, 0x00, 0x00};
  value = Variant("previous");
  BufferToVariant(empty.data(), 4, value);
  EXPECT_TRUE(value.IsEmpty());
  EXPECT_EQ(value, Variant());
}

TEST(BufferToVariant, RoundTrips) {
  for (const Variant& value :
       {Variant(), Variant::Null(), Variant(0), Variant(INT32_MAX), Variant(INT32_MIN),
        Variant(true), Variant(false), Variant(-0.125), Variant(1e300),
        Variant::Currency(INT64_MIN), Variant::Currency(INT64_MAX), Variant::Date(45000.75),
        Variant("OK"), Variant(std::string(1000, 'x'))}) {
    EXPECT_EQ(Decode(Encode(value)), value) << Variant::TypeName(value.VType());
  }
}

// ---------------------------------------------------------------------------------------------
// Decoding failures

TEST(BufferToVariant, FixedWidthWithWrongPayloadLengthFails) {
  EXPECT_EQ(DecodeError({0x03, 0x00, 0x00, 0x00, 0x01, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x00, 0x00, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x01, 0x00, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x02, 0x00, 0x00, 0x00, 0x01}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}),
            kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x06, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x07, 0x00, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x0B, 0x00, 0x00, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x0B, 0x00, 0x00, 0x00, 0x01, 0x00}), kInvalidBuffer);
  EXPECT_EQ(DecodeError({0x11, 0x00, 0x00, 0x00}), kInvalidBuffer);
}

TEST(BufferToVariant, ShortBufferFails) {
  EXPECT_EQ(DecodeError({0x00, 0x01, 0x00}), kInvalidSize);
  EXPECT_EQ(DecodeError({0x00}), kInvalidSize);
  EXPECT_EQ(DecodeError({}), kInvalidSize);
}

TEST(BufferToVariant, NegativeSizeOrNullBufferFails) {
  const Bytes bytes{0x00, 0x01, 0x00, 0x00};
  Variant value;
  try {
    BufferToVariant(bytes.data(), -1, value);
    ADD_FAILURE() << "no exception for size -1";
  } catch (const EConvertToolsError& e) {
    EXPECT_EQ(e.Message(), kInvalidSize);
  }
  try {
    BufferToVariant(bytes.data(), INT32_MIN, value);
    ADD_FAILURE() << "no exception for INT32_MIN";
  } catch (const EConvertToolsError& e) {
    EXPECT_EQ(e.Message(), kInvalidSize);
  }
  for (int32_t size : {0, 4, 100}) {
    try {
      BufferToVariant(nullptr, size, value);
      ADD_FAILURE() << "no exception for null buffer of size " << size;
    } catch (const EConvertToolsError& e) {
      EXPECT_EQ(e.Message(), kInvalidSize);
    }
  }
}

TEST(BufferToVariant, UnlistedCodeFails) {
  EXPECT_EQ(DecodeError({0x09, 0x00, 0x00, 0x00}), kInvalidEntry);
  EXPECT_EQ(DecodeError({0x0A, 0x00, 0x00, 0x00, 0x00, 0x00}), kInvalidEntry);
  EXPECT_EQ(DecodeError({0x14, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}), kInvalidEntry);
  // High bits are part of the code: 0x00010003 is not the integer code.
  EXPECT_EQ(DecodeError({0x03, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00}), kInvalidEntry);
  EXPECT_EQ(DecodeError({0x03, 0x20, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}), kInvalidEntry);
  EXPECT_EQ(DecodeError({0xFF, 0xFF, 0xFF, 0xFF}), kInvalidEntry);
}

TEST(BufferToVariant, FailureLeavesValueUnchanged) {
  for (const Bytes& bad : {Bytes{0x03, 0x00, 0x00, 0x00, 0x01, 0x00}, Bytes{0x00, 0x01, 0x00},
                           Bytes{0x09, 0x00, 0x00, 0x00}}) {
    Variant value("keep");
    EXPECT_NE(DecodeError(bad, &value), "");
    EXPECT_EQ(value, Variant("keep"));
  }
}

TEST(BufferToVariant, ErrorClassDerivesFromConvertError) {
  const Bytes bytes{0x09, 0x00, 0x00, 0x00};
  Variant value;
  EXPECT_THROW(BufferToVariant(bytes.data(), 4, value), EConvertError);
}

TEST(BufferToVariant, StringUsesExactlyThePayload) {
  // The block is followed by more bytes; only `size` of them belong to it.
  const Bytes bytes{0x00, 0x01, 0x00, 0x00, 'O', 'K', 'X', 'Y'};
  Variant value;
  BufferToVariant(bytes.data(), 6, value);
  EXPECT_EQ(value, Variant("OK"));
}

}  // namespace
}  // namespace wdx
