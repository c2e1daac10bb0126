#include "framework/ui/terminal/CellText.h"

#include <wchar.h>
#include <climits>

#include <cwchar>

#include "framework/rtl/Utf8.h"

namespace wdx::terminal {

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
  size_t previous = 0;
  for (size_t boundary = 0; boundary < at; boundary = NextCharacter(text, boundary)) {
    previous = boundary;
  }
  return previous;
}

}  // namespace wdx::terminal
