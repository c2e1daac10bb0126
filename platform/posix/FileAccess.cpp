#include "platform/posix/FileAccess.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include "framework/rtl/Exceptions.h"
#include "platform/posix/ErrorCodes.h"

namespace wdx::posix {

void Fail(TStage stage, int error) {
  throw TFailure{stage, WindowsErrorOf(error)};
}

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
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) Fail(stage, errno);
    target.resize(static_cast<size_t>(n));
    current = !target.empty() && target[0] == '/' ? target : FolderOf(current) + "/" + target;
  }
  Fail(stage, ELOOP);
}

TFd::~TFd() {
  if (fd_ >= 0) ::close(fd_);
}

TFd& TFd::operator=(TFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

TFd OpenRegular(const std::string& path, struct stat& info, TStage stage) {
  // Looked at before it is opened: opening a device or a FIFO may block or have effects.
  if (path.empty()) Fail(stage, ENOENT);
  if (::stat(path.c_str(), &info) != 0) Fail(stage, errno);
  if (!S_ISREG(info.st_mode)) Fail(stage, EACCES);
  TFd fd(Step("open", path,
              [&] { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }));
  if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) Fail(stage, errno);
  if (!S_ISREG(info.st_mode)) Fail(stage, EACCES);
  return fd;
}

std::string ReadAll(int fd, size_t size, const std::string& path) {
  // Sized once from the file, so that reading costs the file's size and no more; a file that
  // grows meanwhile is read to its end all the same.
  std::string bytes(size, '\0');
  size_t got = 0;
  char probe[4096];
  while (true) {
    const bool full = got == bytes.size();
    const ssize_t n = Step("read", path, [&] {
      return full ? ::read(fd, probe, sizeof probe) : ::read(fd, bytes.data() + got, size - got);
    });
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EReadError(msg::kStreamReadError);
    if (n == 0) break;
    if (full) bytes.append(probe, static_cast<size_t>(n));
    got += static_cast<size_t>(n);
    size = std::max(size, got);
  }
  bytes.resize(got);
  return bytes;
}

TFd LockRegular(const std::string& path, struct stat& info) {
  const auto deadline = std::chrono::steady_clock::now() + filelayer::LockWait();
  while (true) {
    TFd fd = OpenRegular(path, info, TStage::Open);
    if (Step("lock", path, [&] { return ::flock(fd.Get(), LOCK_EX | LOCK_NB); }) != 0) {
      if (errno != EWOULDBLOCK) Fail(TStage::Open, errno);
      if (std::chrono::steady_clock::now() >= deadline) Fail(TStage::Open, EAGAIN);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      continue;
    }
    // Another writer may have put a new file in place while this one waited: the lock must be
    // on the file that the path names now.
    struct stat now {};
    if (::stat(path.c_str(), &now) == 0 && now.st_dev == info.st_dev && now.st_ino == info.st_ino)
      return fd;
  }
}

}  // namespace wdx::posix
