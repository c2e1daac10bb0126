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
namespace str_detail {

inline uint64_t Load64(const char* at) {
  uint64_t word;
  std::memcpy(&word, at, 8);
  return word;
}
inline uint32_t Load32(const char* at) {
  uint32_t word;
  std::memcpy(&word, at, 4);
  return word;
}

}  // namespace str_detail

// Whether the n bytes at a and b are the same, in a few word loads: overlapping words cover
// every length from 4 up.
inline bool SameBytes(const char* a, const char* b, size_t n) {
  using str_detail::Load32;
  using str_detail::Load64;
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8) {
      if (Load64(a + i) != Load64(b + i)) return false;
    }
    return Load64(a + n - 8) == Load64(b + n - 8);
  }
  if (n >= 4) return Load32(a) == Load32(b) && Load32(a + n - 4) == Load32(b + n - 4);
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// Equality ignoring the case of the ASCII letters a to z only. Names usually agree in case
// too, so the bytes are compared whole first.
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (SameBytes(a.data(), b.data(), a.size())) return true;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}
// A hash that names equal under SameText share: eight bytes at a time with bit 0x20 of each
// cleared (other bytes that meet so are told apart by the comparison that follows a hash).
inline uint64_t CaseFoldedHash(std::string_view text) {
  constexpr uint64_t kFold = ~uint64_t{0x2020202020202020u};
  constexpr uint64_t kSpread = 0x9E3779B97F4A7C15u;
  uint64_t hash = text.size();
  size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    hash = (hash ^ (str_detail::Load64(text.data() + at) & kFold)) * kSpread;
  }
  uint64_t tail = 0;
  for (size_t shift = 0; at < text.size(); ++at, shift += 8) {
    tail |= uint64_t{static_cast<unsigned char>(text[at])} << shift;
  }
  return (hash ^ (tail & kFold)) * kSpread;
}

// Replaces every occurrence of `from` (matched ignoring ASCII case) by `to`.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace wdx
