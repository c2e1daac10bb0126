// Small text helpers with the framework's rules: trimming removes codes 32 and below, and
// case-insensitive comparison folds only the ASCII letters.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace wdx {

std::string Trim(std::string_view text);
// The upper-case form of an ASCII letter a to z; any other character as it is.
inline char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
// Equality ignoring the case of the ASCII letters a to z only.
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Equal eight-byte words first (names usually agree in case too), then letter by letter.
  size_t i = 0;
  for (; i + 8 <= a.size(); i += 8) {
    uint64_t wordA;
    uint64_t wordB;
    std::memcpy(&wordA, a.data() + i, 8);
    std::memcpy(&wordB, b.data() + i, 8);
    if (wordA != wordB) break;
  }
  for (; i < a.size(); ++i) {
    if (a[i] != b[i] && AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}
// Replaces every occurrence of `from` (matched ignoring ASCII case) by `to`.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace wdx
