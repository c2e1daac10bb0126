// The tables behind CodePage.h: one object per code page, converting a character at a time.
//
// A byte (or, in a double-byte code page, a lead byte) that the code page leaves undefined
// decodes to a character that stands for it, U+0080..U+009F below 0xA0 and U+F7A0..U+F7FF above,
// and that character encodes back to the byte, so that any bytes survive a decoding and encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wdx::codepages {

constexpr char32_t UndefinedByteChar(uint8_t byte) {
  return byte < 0xA0 ? char32_t{byte} : 0xF700 + char32_t{byte};
}
// The byte that `code` stands for, or -1 when it stands for none.
constexpr int ByteOfUndefinedChar(char32_t code) {
  if (code >= 0x80 && code < 0xA0) return static_cast<int>(code);
  if (code >= 0xF7A0 && code <= 0xF7FF) return static_cast<int>(code - 0xF700);
  return -1;
}

class TCodePageTable {
 public:
  virtual ~TCodePageTable() = default;
  // Appends the UTF-8 of the character that starts at byte `at` (< bytes.size()); returns the
  // number of bytes it takes.
  virtual size_t Decode(std::string_view bytes, size_t at, std::string& out) const = 0;
  // Appends the bytes of `code`; false, having appended nothing, when the code page lacks it.
  virtual bool Encode(char32_t code, std::string& out) const = 0;
};

// The table of a single-byte code page (874, 1250 to 1258, 20127, 28591) or of a double-byte one
// (932, 936, 949, 950); nullptr for any other.
const TCodePageTable* SingleByteTable(int codePage);
const TCodePageTable* DoubleByteTable(int codePage);

}  // namespace wdx::codepages
