// The 8-bit code page of the system is Windows-1252 on every build. Wide strings are UTF-16.
#pragma once

#include <string>

namespace wdx {

// Narrows UTF-16 to Windows-1252; characters the code page lacks become '?'.
std::string WideToAnsi(const std::u16string& wide);
// Widens Windows-1252 bytes to UTF-16 (bytes the code page leaves undefined map to U+0080..U+009F).
std::u16string AnsiToWide(const std::string& ansi);

}  // namespace wdx
