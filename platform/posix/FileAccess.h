// The POSIX file layer's building blocks: failures, links, regular files opened without
// blocking, whole reads and exclusive locks. Failures are thrown as filelayer::TFailure and turned
// into the caller's exceptions by the public functions of Files.h.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/FileLayer.h"

namespace wdx::posix {

using filelayer::TFailure;
using filelayer::TStage;

[[noreturn]] void Fail(TStage stage, int error);

// Runs one system call of `step` unless the test hook fails it; the call's result, or -1 with
// errno set to the injected error.
template <class Call>
auto Step(const char* step, const std::string& path, Call call) -> decltype(call()) {
  if (const int fault = filelayer::InjectedFault(step, path)) {
    errno = fault;
    return -1;
  }
  return call();
}

std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// The path of the file that `path` names once every link is followed (the path itself when it
// is no link; a dangling link gives the missing file it points at).
std::string ResolveLinks(const std::string& path, TStage stage);

// A file descriptor closed when the holder ends.
class TFd {
 public:
  explicit TFd(int fd = -1) : fd_(fd) {}
  ~TFd();
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  TFd(TFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TFd& operator=(TFd&& other) noexcept;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// Opens the regular file at `path` (links followed) for reading, never blocking; anything that
// is not a regular file fails with EACCES.
TFd OpenRegular(const std::string& path, struct stat& info, TStage stage);
// Every byte of an open regular file of `size` bytes.
std::string ReadAll(int fd, size_t size, const std::string& path);
// Opens and exclusively locks the regular file at `path`, waiting at most the lock wait for
// another holder; the lock is taken again when the file was replaced while waiting.
TFd LockRegular(const std::string& path, struct stat& info);

}  // namespace wdx::posix
