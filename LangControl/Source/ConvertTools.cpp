#include "LangControl/Source/ConvertTools.h"

#include <bit>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "framework/rtl/ByteCursor.h"
#include "framework/rtl/LittleEndian.h"

namespace wdx {

namespace {

constexpr int32_t kHeaderSize = 4;

// Type codes of the buffer, equal to the variant type codes.
constexpr int32_t kCodeEmpty = 0;
constexpr int32_t kCodeNull = 1;
constexpr int32_t kCodeSmallint = 2;
constexpr int32_t kCodeInteger = 3;
constexpr int32_t kCodeSingle = 4;
constexpr int32_t kCodeDouble = 5;
constexpr int32_t kCodeCurrency = 6;
constexpr int32_t kCodeDate = 7;
constexpr int32_t kCodeOleStr = 8;
constexpr int32_t kCodeBoolean = 11;
constexpr int32_t kCodeByte = 17;
constexpr int32_t kCodeString = 256;
// A text held in a slot whose language's code page lacks one of its characters (SlotTexts.h): in
// memory, like the others, UTF-8.
constexpr int32_t kCodeUnicodeString = 258;

// The nearest IEEE 754 single, with overflow to infinity spelled out so that no out-of-range
// floating conversion happens.
float NarrowToSingle(double value) {
  // Values from FLT_MAX + half its ulp (2^103) upward round to infinity.
  constexpr double kOverflow = static_cast<double>(FLT_MAX) + 0x1p103;
  if (std::isfinite(value) && std::fabs(value) >= kOverflow) {
    return value > 0 ? std::numeric_limits<float>::infinity()
                     : -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

// Width of the payload of a fixed-width code, -1 for the string codes, -2 for unknown codes.
int PayloadWidth(int32_t code) {
  switch (code) {
    case kCodeEmpty:
    case kCodeNull:
      return 0;
    case kCodeSmallint:
      return 2;
    case kCodeInteger:
    case kCodeSingle:
      return 4;
    case kCodeDouble:
    case kCodeCurrency:
    case kCodeDate:
      return 8;
    case kCodeBoolean:
    case kCodeByte:
      return 1;
    case kCodeOleStr:
    case kCodeString:
    case kCodeUnicodeString:
      return -1;
    default:
      return -2;
  }
}

[[noreturn]] void NotSupported() {
  throw EConvertToolsError("VariantToBuffer: Variant type not supported");
}

}  // namespace

void VariantToBuffer(const Variant& value, StoreBlock& buffer, int32_t& size) {
  buffer.reset();
  size = 0;

  const int32_t code = value.VType() & varTypeMask;
  // The payload is built completely before anything is allocated, so a failing conversion
  // leaves nothing behind.
  std::string payload;
  switch (code) {
    case kCodeEmpty:
    case kCodeNull:
      // No conversion runs for these codes, so an array of them would pass unnoticed; the
      // host cannot even create such arrays. Refuse them rather than store an array as a
      // scalar.
      if (value.IsArray()) NotSupported();
      break;
    case kCodeSmallint:
      AppendLittleEndian(payload, static_cast<uint32_t>(value.ToInteger()), 2);
      break;
    case kCodeInteger:
      AppendLittleEndian(payload, static_cast<uint32_t>(value.ToInteger()), 4);
      break;
    case kCodeSingle:
      AppendLittleEndian(payload, std::bit_cast<uint32_t>(NarrowToSingle(value.ToDouble())), 4);
      break;
    case kCodeDouble:
    case kCodeDate:
      AppendLittleEndian(payload, std::bit_cast<uint64_t>(value.ToDouble()), 8);
      break;
    case kCodeCurrency:
      AppendLittleEndian(payload, static_cast<uint64_t>(value.ToCurrency()), 8);
      break;
    case kCodeOleStr:
    case kCodeString:
      payload = value.ToString();  // UTF-8, a wide text without loss
      break;
    case kCodeBoolean:
      payload.push_back(value.ToBoolean() ? 1 : 0);
      break;
    case kCodeByte:
      AppendLittleEndian(payload, static_cast<uint32_t>(value.ToInteger()), 1);
      break;
    default:
      NotSupported();
  }

  if (payload.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - kHeaderSize)) {
    throw EConvertToolsError("VariantToBuffer: Value too large");
  }
  const int32_t total = kHeaderSize + static_cast<int32_t>(payload.size());
  StoreBlock block = MakeStoreBlock(static_cast<size_t>(total));
  for (int i = 0; i < kHeaderSize; ++i) {
    block[static_cast<size_t>(i)] =
        static_cast<uint8_t>((static_cast<uint32_t>(code) >> (8 * i)) & 0xFF);
  }
  if (!payload.empty()) std::memcpy(block.get() + kHeaderSize, payload.data(), payload.size());
  buffer = std::move(block);
  size = total;
}

void BufferToVariant(const uint8_t* buffer, int32_t size, Variant& value) {
  if (size < kHeaderSize || buffer == nullptr) {
    throw EConvertToolsError("BufferToVariant: Invalid buffer size");
  }
  ByteCursor in(std::span(buffer, static_cast<size_t>(size)));
  const auto code = static_cast<int32_t>(in.U32());
  const int32_t length = size - kHeaderSize;

  const int width = PayloadWidth(code);
  if (width == -2) throw EConvertToolsError("BufferToVariant: Invalid buffer entry");
  if (width >= 0 && length != width) throw EConvertToolsError("BufferToVariant: Invalid buffer");

  Variant result;
  switch (code) {
    case kCodeEmpty:
      break;
    case kCodeNull:
      result = Variant::Null();
      break;
    case kCodeSmallint:
      result = Variant(static_cast<int32_t>(static_cast<int16_t>(in.U16())));
      break;
    case kCodeInteger:
      result = Variant(static_cast<int32_t>(in.U32()));
      break;
    case kCodeSingle:
      result = Variant(static_cast<double>(std::bit_cast<float>(in.U32())));
      break;
    case kCodeDouble:
      result = Variant(std::bit_cast<double>(in.U64()));
      break;
    case kCodeCurrency:
      result = Variant::Currency(static_cast<int64_t>(in.U64()));
      break;
    case kCodeDate:
      result = Variant::Date(std::bit_cast<double>(in.U64()));
      break;
    case kCodeOleStr:
    case kCodeString:
    case kCodeUnicodeString:
      result = Variant(std::string(in.View(static_cast<uint64_t>(length))));
      break;
    case kCodeBoolean:
      result = Variant(in.Byte() != 0);
      break;
    case kCodeByte:
      result = Variant(static_cast<int32_t>(in.Byte()));
      break;
    default:
      // PayloadWidth has rejected every other code.
      throw EConvertToolsError("BufferToVariant: Invalid buffer entry");
  }
  value = std::move(result);
}

}  // namespace wdx
