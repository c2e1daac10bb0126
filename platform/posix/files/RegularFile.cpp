#include "platform/posix/files/RegularFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "framework/rtl/Exceptions.h"

namespace wdx::posix {

TFd OpenRegular(const std::string& path, struct stat& info, TStage stage) {
  // Looked at before it is opened: opening a device or a FIFO may block or have effects.
  if (path.empty()) Fail(stage, ENOENT);
  if (Step("stat", path, [&] { return ::stat(path.c_str(), &info); }) != 0) Fail(stage, errno);
  if (!S_ISREG(info.st_mode)) Fail(stage, EACCES);
  TFd fd(Step(
      "open", path,
      [&] { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }, -1));
  if (fd.Get() < 0 || Step("fstat", path, [&] { return ::fstat(fd.Get(), &info); }) != 0)
    Fail(stage, errno);
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
    if (n < 0) throw EReadError(msg::kStreamReadError);
    if (n == 0) break;
    if (full) bytes.append(probe, static_cast<size_t>(n));
    got += static_cast<size_t>(n);
    size = std::max(size, got);
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace wdx::posix
