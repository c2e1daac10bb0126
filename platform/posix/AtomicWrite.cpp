#include "platform/posix/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace wdx {

bool WriteReplacing(const std::string& target, const std::string& bytes, WriteFailure& failure) {
  if (target.empty()) {
    failure = {ENOENT, false};
    return false;
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    failure = {EISDIR, false};
    return false;
  }
  // A read-only file (no write permission for anyone, like the read-only attribute of Windows)
  // stays as it is: renaming over it would bypass its protection, even for the superuser.
  if (exists && (existing.st_mode & 0222) == 0) {
    failure = {EACCES, false};
    return false;
  }
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    failure = {errno, false};
    return false;
  }
  ::fchmod(fd, exists ? (existing.st_mode & 07777) : 0644);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure = {n < 0 ? errno : ENOSPC, true};
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    failure = {errno, true};
    ::unlink(temp.c_str());
    return false;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    failure = {errno, true};
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace wdx
