// What the POSIX build tells of files and folders without opening them: whether a regular file
// or a folder is there, and a folder's entries.
#include "platform/Files.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "framework/rtl/StrUtils.h"

namespace wdx {

bool FileExists(const std::string& path) {
  struct stat info {};
  const std::string native = NativePath(path);
  return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  const std::string native = NativePath(path);
  return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<TDirEntry> ListDirectory(const std::string& path) {
  std::vector<TDirEntry> entries;
  const std::string native = NativePath(path);
  DIR* dir = native.empty() ? nullptr : ::opendir(native.c_str());
  if (!dir) return entries;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    const std::string full = native + (native.back() == '/' ? "" : "/") + name;
    if (::stat(full.c_str(), &info) != 0) continue;
    entries.push_back({name, S_ISDIR(info.st_mode)});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) {
    return AsciiUpper(a.Name) < AsciiUpper(b.Name);
  });
  return entries;
}

}  // namespace wdx
