#include "framework/ui/terminal/CellText.h"

#include <wchar.h>
#include <algorithm>
#include <climits>

#include <cwchar>

#include "framework/rtl/Utf8.h"

namespace wdx::terminal {

#ifdef _WIN32
// No terminal on this build (its tests edit with the same keys): the widths Unicode gives the
// common scripts.
bool Showable(char32_t code) {
  return code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0);
}

int CellWidth(char32_t c) {
  if ((c >= 0x0300 && c <= 0x036F) || (c >= 0x0483 && c <= 0x0489) ||
      (c >= 0x0591 && c <= 0x05C7) || (c >= 0x064B && c <= 0x065F) || c == 0x0E31 ||
      (c >= 0x0E34 && c <= 0x0E3A) || (c >= 0x0E47 && c <= 0x0E4E)) {
    return 0;
  }
  if ((c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD)) {
    return 2;
  }
  return 1;
}
#else
// The locale's character type says what the terminal shows, and curses places by its widths.
bool Showable(char32_t code) {
  if (code < 0x80) return code >= 0x20 && code != 0x7F;
  const auto wide = static_cast<wchar_t>(code);
  std::mbstate_t state{};
  char encoded[MB_LEN_MAX];
  return std::wcrtomb(encoded, wide, &state) != static_cast<size_t>(-1) && ::wcwidth(wide) >= 0;
}

int CellWidth(char32_t code) {
  if (code < 0x80 || !Showable(code)) return 1;
  return ::wcwidth(static_cast<wchar_t>(code));
}
#endif

int TextWidth(std::string_view text) {
  int width = 0;
  for (size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    width += CellWidth(c.Code);
    at += c.Length;
  }
  return width;
}

size_t FittingPrefix(std::string_view text, int columns) {
  int used = 0;
  size_t at = 0;
  while (at < text.size()) {
    const Utf8Char c = DecodeUtf8(text, at);
    used += CellWidth(c.Code);
    if (used > columns) break;
    at += c.Length;
  }
  return at;
}

size_t NextCharacter(std::string_view text, size_t at) {
  if (at >= text.size()) return text.size();
  at += DecodeUtf8(text, at).Length;
  while (at < text.size()) {
    const Utf8Char c = DecodeUtf8(text, at);
    if (CellWidth(c.Code) != 0) break;
    at += c.Length;
  }
  return at;
}

size_t PreviousCharacter(std::string_view text, size_t at) {
  at = std::min(at, text.size());
  // Back over the character before `at`, and on while that was a combining mark.
  while (at > 0) {
    size_t start = at - 1;
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    const Utf8Char c = DecodeUtf8(text, start);
    // A stray continuation byte is a character of its own.
    const bool whole = start + c.Length == at;
    at = whole ? start : at - 1;
    if (!whole || !c.Valid || CellWidth(c.Code) != 0) break;
  }
  return at;
}

}  // namespace wdx::terminal
