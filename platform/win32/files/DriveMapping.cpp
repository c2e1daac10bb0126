// Paths on Windows need no mapping: the program's paths are the system's own.
#include <windows.h>

#include "platform/Files.h"

namespace wdx {

std::string NativePath(const std::string& windowsPath) {
  return windowsPath;
}

std::string WindowsPath(const std::string& nativePath) {
  return nativePath;
}

std::string ModuleFileName() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, n);
}

}  // namespace wdx
