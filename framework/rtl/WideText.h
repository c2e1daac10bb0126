// The Windows API's wide text, UTF-16 in wchar_t, and the program's UTF-8: for the code that
// calls that API (the Windows platform layer and front-end) and only there, where wchar_t holds
// one UTF-16 unit.
#pragma once

#include <string>
#include <string_view>

#include "framework/rtl/Utf8.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide API's text is UTF-16");

namespace wdx {

// A malformed byte becomes U+FFFD.
inline std::wstring Wide(std::string_view text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

// A lone surrogate becomes U+FFFD.
inline std::string Utf8(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace wdx
