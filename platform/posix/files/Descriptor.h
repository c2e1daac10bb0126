// A file descriptor closed when its holder ends.
#pragma once

namespace wdx::posix {

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

}  // namespace wdx::posix
