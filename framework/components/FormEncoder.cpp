#include "framework/components/FormEncoder.h"

#include <limits>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"

namespace wdx {

TValueType FormEncoder::IntegerTag(int64_t value) {
  if (value >= -128 && value <= 127) return vaInt8;
  if (value >= -32768 && value <= 32767) return vaInt16;
  if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
    return vaInt32;
  return vaInt64;
}

void FormEncoder::Unsigned(uint64_t value, int width) {
  AppendLittleEndian(out_, value, width);
}

void FormEncoder::CountedTag(TValueType tag, uint64_t count) {
  if (count > std::numeric_limits<uint32_t>::max()) throw EWriteError(msg::kStreamWriteError);
  Tag(tag);
  Unsigned(count, 4);
}

void FormEncoder::Bytes(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  out_.insert(out_.end(), bytes, bytes + size);
}

void FormEncoder::TaggedInteger(TValueType tag, int64_t value) {
  static constexpr int kWidth[] = {0, 0, 1, 2, 4};
  Tag(tag);
  Unsigned(static_cast<uint64_t>(value), tag == vaInt64 ? 8 : kWidth[tag]);
}

void FormEncoder::Extended(const TExtended80& bytes) {
  Tag(vaExtended);
  Bytes(bytes.data(), bytes.size());
}

void FormEncoder::SingleBits(uint32_t bits) {
  Tag(vaSingle);
  Unsigned(bits, 4);
}

void FormEncoder::DateBits(uint64_t bits) {
  Tag(vaDate);
  Unsigned(bits, 8);
}

void FormEncoder::Currency(int64_t amountTimes10000) {
  Tag(vaCurrency);
  Unsigned(static_cast<uint64_t>(amountTimes10000), 8);
}

void FormEncoder::ShortString(std::string_view text) {
  const size_t length = text.size() > 255 ? 255 : text.size();
  out_.push_back(static_cast<uint8_t>(length));
  Bytes(text.data(), length);
}

void FormEncoder::String(std::string_view bytes) {
  if (bytes.size() > 255) {
    LongString(bytes);
    return;
  }
  Tag(vaString);
  ShortString(bytes);
}

void FormEncoder::LongString(std::string_view bytes) {
  CountedTag(vaLString, bytes.size());
  Bytes(bytes.data(), bytes.size());
}

void FormEncoder::WideString(std::u16string_view text) {
  if (text.size() > std::numeric_limits<uint32_t>::max() / 2) {
    throw EWriteError(msg::kStreamWriteError);
  }
  CountedTag(vaWString, text.size());
  for (const char16_t unit : text) Unsigned(unit, 2);
}

void FormEncoder::Ident(std::string_view ident) {
  if (const std::optional<TValueType> tag = SpecialIdentTag(ident)) {
    Tag(*tag);
    return;
  }
  PlainIdent(ident);
}

void FormEncoder::Binary(std::span<const uint8_t> bytes) {
  CountedTag(vaBinary, bytes.size());
  Bytes(bytes.data(), bytes.size());
}

}  // namespace wdx
