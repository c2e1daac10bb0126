#include "platform/System.h"

#include <windows.h>

#include "framework/rtl/WideText.h"

namespace wdx {

bool QueryComputerName(size_t bufferSize, std::string& name, unsigned& errorCode) {
  std::wstring buffer(bufferSize, L'\0');
  DWORD size = static_cast<DWORD>(bufferSize);
  if (!GetComputerNameW(buffer.data(), &size)) {
    errorCode = GetLastError();
    return false;
  }
  name = Utf8(std::wstring_view(buffer.data(), size));
  return true;
}

std::string SystemErrorMessage(unsigned code) {
  // Wide, so that a system that words its messages in another script gives them as UTF-8 too.
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = n ? Utf8(std::wstring_view(buffer, n)) : "";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace wdx
