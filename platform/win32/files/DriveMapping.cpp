// Paths on Windows need no mapping: the program's paths are the system's own.
#include <windows.h>

#include "framework/rtl/WideText.h"
#include "platform/Files.h"

namespace wdx {

std::string NativePath(const std::string& windowsPath) {
  return windowsPath;
}

std::string WindowsPath(const std::string& nativePath) {
  return nativePath;
}

std::string ModuleFileName() {
  // A path longer than the buffer comes back cut short: the buffer grows until it holds it.
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) return Utf8(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace wdx
