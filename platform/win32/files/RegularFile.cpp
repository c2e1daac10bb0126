#include "platform/win32/files/RegularFile.h"

#include <algorithm>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/WideText.h"

namespace wdx::win32 {

HANDLE OpenRegular(const std::string& path, DWORD access, DWORD share, TStage stage) {
  HANDLE file = INVALID_HANDLE_VALUE;
  if (!Step("open", path, [&] {
        file = CreateFileW(Wide(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
      })) {
    Fail(stage, GetLastError());
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(file);
    Fail(stage, ERROR_ACCESS_DENIED);
  }
  return file;
}

std::string ReadAll(HANDLE file, const std::string& path) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) Fail(TStage::Open, GetLastError());
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t got = 0;
  char probe[4096];
  while (true) {
    const bool full = got == bytes.size();
    DWORD n = 0;
    const DWORD want =
        full ? sizeof probe : static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1 << 20));
    if (!Step("read", path,
              [&] { return ReadFile(file, full ? probe : bytes.data() + got, want, &n, nullptr); }))
      throw EReadError(msg::kStreamReadError);
    if (n == 0) break;
    if (full) bytes.append(probe, n);
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace wdx::win32
