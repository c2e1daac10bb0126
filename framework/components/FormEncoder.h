// The bytes of form stream values, appended to a buffer: each value's tag and payload as a
// reader expects them. The writer and the form source compiler both encode through it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/Extended80.h"
#include "framework/components/FormValues.h"

namespace wdx {

class FormEncoder {
 public:
  explicit FormEncoder(std::vector<uint8_t>& out) : out_(out) {}

  // The smallest of tags 2, 3 and 4 that holds `value`, tag 19 beyond the 32-bit range.
  static TValueType IntegerTag(int64_t value);

  // The four bytes "TPF0" that begin a stream.
  void Signature() { Bytes("TPF0", 4); }
  void Tag(TValueType tag) { out_.push_back(tag); }
  void Integer(int64_t value) { TaggedInteger(IntegerTag(value), value); }
  // `value` in the integer tag `tag` (2, 3, 4 or 19), cut to its width.
  void TaggedInteger(TValueType tag, int64_t value);
  void Extended(const TExtended80& bytes);
  void SingleBits(uint32_t bits);
  void DateBits(uint64_t bits);
  void Currency(int64_t amountTimes10000);
  // A length byte and the text, cut to its first 255 bytes.
  void ShortString(std::string_view text);
  // Stored bytes: tag 6 up to 255 bytes, else tag 12.
  void String(std::string_view bytes);
  // Tag 12 whatever the length.
  void LongString(std::string_view bytes);
  void WideString(std::u16string_view text);
  // Tag 7, except False, True, Null and nil (any case), which become tags 8, 9, 0 and 13.
  void Ident(std::string_view ident);
  // Tag 7 whatever the name.
  void PlainIdent(std::string_view ident) {
    Tag(vaIdent);
    ShortString(ident);
  }
  void Boolean(bool value) { Tag(value ? vaTrue : vaFalse); }
  void Binary(std::span<const uint8_t> bytes);
  void Bytes(const void* data, size_t size);

 private:
  void Unsigned(uint64_t value, int width);
  // The tag and a 32-bit count, or EWriteError "Stream write error" for a count that does not
  // fit.
  void CountedTag(TValueType tag, uint64_t count);

  std::vector<uint8_t>& out_;
};

}  // namespace wdx
