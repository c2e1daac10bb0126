// Windows paths on Linux, the way wine maps them: drive Z: is the root of the file system, the
// drives C: to Y: are the folders that WENDRIX_DRIVE_C ... WENDRIX_DRIVE_Y name.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/Files.h"

namespace wdx {

namespace {

bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The Linux folder of a drive letter, or empty when the drive does not exist.
std::string DriveRoot(char letter) {
  const char upper = static_cast<char>(letter & ~0x20);
  if (upper == 'Z') return "";
  const std::string variable = std::string("WENDRIX_DRIVE_") + upper;
  const char* root = std::getenv(variable.c_str());
  if (!root || !*root) return {};
  std::string folder = root;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder == "/" ? "" : folder;
}

}  // namespace

std::string NativePath(const std::string& windowsPath) {
  std::string path = windowsPath;
  std::string root;
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
    const char letter = path[0];
    root = DriveRoot(letter);
    if (root.empty() && (letter & ~0x20) != 'Z') return {};
    path.erase(0, 2);
    if (path.empty() || (path[0] != '\\' && path[0] != '/')) path.insert(0, "\\");
  } else if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
             (path[1] == '\\' || path[1] == '/')) {
    return {};  // network paths do not exist here
  }
  std::replace(path.begin(), path.end(), '\\', '/');
  return root + path;
}

std::string WindowsPath(const std::string& nativePath) {
  std::string path = nativePath;
  if (path.empty() || path[0] != '/') {
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd)) path = std::string(cwd) + (path.empty() ? "" : "/" + path);
  }
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

std::string ModuleFileName() {
  std::string buffer(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return {};
  buffer.resize(static_cast<size_t>(n));
  return WindowsPath(buffer);
}

}  // namespace wdx
