#include "platform/posix/files/Descriptor.h"

#include <unistd.h>

namespace wdx::posix {

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

}  // namespace wdx::posix
