#include "platform/System.h"

#include <windows.h>

namespace wdx {

bool QueryComputerName(size_t bufferSize, std::string& name, unsigned& errorCode) {
  std::string buffer(bufferSize, '\0');
  DWORD size = static_cast<DWORD>(bufferSize);
  if (!GetComputerNameA(buffer.data(), &size)) {
    errorCode = GetLastError();
    return false;
  }
  name.assign(buffer.data(), size);
  return true;
}

std::string SystemErrorMessage(unsigned code) {
  char* buffer = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n ? std::string(buffer, n) : "";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace wdx
