// The program's strings hold UTF-8; the platform's wide API takes UTF-16. These walk and convert
// both. Text from outside may be malformed: every function here is defined for any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wdx {

// One character of UTF-8 text: its code point and the bytes it takes. A malformed or cut-off
// sequence (an overlong form, a surrogate, a value above U+10FFFF) counts as one invalid byte.
struct Utf8Char {
  char32_t Code = 0;
  size_t Length = 1;
  bool Valid = true;
};
// The character that starts at byte `at` (< text.size()).
Utf8Char DecodeUtf8(std::string_view text, size_t at);
void AppendUtf8(std::string& out, char32_t code);
bool IsValidUtf8(std::string_view text);
bool IsAscii(std::string_view text);

// A malformed byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace wdx
