#include "platform/posix/files/FileLock.h"

#include <sys/file.h>

#include <chrono>
#include <thread>

#include "platform/posix/files/RegularFile.h"

namespace wdx::posix {

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
    if (Step("stat", path, [&] { return ::stat(path.c_str(), &now); }) == 0 &&
        now.st_dev == info.st_dev && now.st_ino == info.st_ino)
      return fd;
  }
}

}  // namespace wdx::posix
