#include "platform/win32/files/Paths.h"

#include "framework/rtl/WideText.h"
#include "platform/win32/files/Handle.h"

namespace wdx::win32 {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FinalPath(HANDLE file) {
  std::wstring wide(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetFinalPathNameByHandleW(file, wide.data(), static_cast<DWORD>(wide.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return {};
    if (n < wide.size()) {
      wide.resize(n);
      break;
    }
    wide.resize(n + 1);
  }
  const std::string path = Utf8(wide);
  if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\" + path.substr(7);
  if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

namespace {

// The final path of an existing file or folder, or "" when nothing is there.
std::string ExistingFinalPath(const std::string& path) {
  const THandle handle(CreateFileW(Wide(path).c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle.Valid() ? FinalPath(handle.Get()) : std::string();
}

}  // namespace

std::string ResolvePath(const std::string& path, TStage stage) {
  if (std::string final = ExistingFinalPath(path); !final.empty()) return final;
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND) Fail(stage, error);
  // A link whose target is missing: writing through it is not attempted, replacing it by a
  // plain file would break the link.
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    Fail(stage, ERROR_PATH_NOT_FOUND);
  const std::string folder = ExistingFinalPath(FolderOf(path));
  if (folder.empty()) Fail(stage, ERROR_PATH_NOT_FOUND);
  return folder + "\\" + NameOf(path);
}

}  // namespace wdx::win32
