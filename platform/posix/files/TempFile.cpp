#include "platform/posix/files/TempFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include "platform/files/TempNames.h"
#include "platform/posix/files/SystemStep.h"

namespace wdx::posix {

TTempFile::~TTempFile() {
  if (!Name.empty()) ::unlink(Name.c_str());
}

std::string TempPrefix(const std::string& folder, const std::string& name) {
  return filelayer::TempPrefix(folder + "/" + name, static_cast<unsigned long>(::getpid()));
}

void RemoveStaleTemps(const std::string& folder, const std::string& name) {
  // Best effort: what cannot be listed or removed now is left for a later run.
  DIR* dir = nullptr;
  Step("list folder", folder, [&] {
    dir = ::opendir(folder.c_str());
    return dir ? 0 : -1;
  });
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const unsigned long owner = filelayer::TempOwner(entry->d_name, name);
    if (owner == 0) continue;
    const bool ended = owner == static_cast<unsigned long>(::getpid()) ||
                       (::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH);
    if (ended) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

namespace {

bool CanLinkUnnamed() {
  return ::access("/proc/self/fd", X_OK) == 0;
}

}  // namespace

void CreateTemp(TTempFile& temp, const std::string& folder, const std::string& name, mode_t mode) {
  if (CanLinkUnnamed()) {
    const int fd = Step(
        "create unnamed", folder,
        [&] { return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode); }, -1);
    if (fd >= 0) {
      temp.Fd = TFd(fd);
      return;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) Fail(TStage::Create, errno);
  }
  // Created as any new file is, so that the umask (or the folder's default ACL) gives its mode.
  const std::string prefix = TempPrefix(folder, name);
  for (unsigned n = 0;; ++n) {
    const std::string path = prefix + std::to_string(n);
    const int fd = Step(
        "create", folder,
        [&] {
          return ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, mode);
        },
        -1);
    if (fd >= 0) {
      temp.Fd = TFd(fd);
      temp.Name = path;
      return;
    }
    if (errno != EEXIST) Fail(TStage::Create, errno);
  }
}

bool LinkUnnamed(TTempFile& temp, const std::string& to, const std::string& target) {
  const std::string self = "/proc/self/fd/" + std::to_string(temp.Fd.Get());
  auto link = [&](const std::string& name) {
    return Step("link", target, [&] {
      return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    });
  };
  if (to == target) {
    if (link(target) == 0) return true;
    if (errno != EEXIST) Fail(TStage::Create, errno);
    return false;
  }
  for (unsigned n = 0;; ++n) {
    const std::string name = to + std::to_string(n);
    if (link(name) == 0) {
      temp.Name = name;
      return true;
    }
    if (errno != EEXIST) Fail(TStage::Create, errno);
  }
}

}  // namespace wdx::posix
