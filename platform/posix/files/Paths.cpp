#include "platform/posix/files/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace wdx::posix {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResolveLinks(const std::string& path, TStage stage) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (Step("lstat", current, [&] { return ::lstat(current.c_str(), &info); }) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) return current;  // a missing file, or a folder
      Fail(stage, errno);
    }
    if (!S_ISLNK(info.st_mode)) return current;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = Step("readlink", current, [&] {
      return ::readlink(current.c_str(), target.data(), target.size());
    });
    if (n < 0) Fail(stage, errno);
    target.resize(static_cast<size_t>(n));
    current = !target.empty() && target[0] == '/' ? target : FolderOf(current) + "/" + target;
  }
  Fail(stage, ELOOP);
}

}  // namespace wdx::posix
