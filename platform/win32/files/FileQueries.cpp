// What the Windows build tells of files and folders: whether a regular file or a folder is there,
// and a folder's entries.
#include "platform/Files.h"

#include <windows.h>

#include <algorithm>

#include "framework/rtl/StrUtils.h"
#include "framework/rtl/WideText.h"

namespace wdx {

bool FileExists(const std::string& path) {
  // Opened without access, which touches no device: only a regular file on a disk counts.
  HANDLE file =
      CreateFileW(Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool regular = GetFileType(file) == FILE_TYPE_DISK &&
                       GetFileInformationByHandle(file, &info) &&
                       !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  CloseHandle(file);
  return regular;
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<TDirEntry> ListDirectory(const std::string& path) {
  std::vector<TDirEntry> entries;
  WIN32_FIND_DATAW data;
  std::string pattern = path;
  if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
  HANDLE find = FindFirstFileW(Wide(pattern + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = Utf8(data.cFileName);
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) {
    return AsciiUpper(a.Name) < AsciiUpper(b.Name);
  });
  return entries;
}

}  // namespace wdx
