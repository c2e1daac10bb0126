// Regular files opened for reading without ever blocking, and read whole.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/posix/files/Descriptor.h"
#include "platform/posix/files/SystemStep.h"

namespace wdx::posix {

// Opens the regular file at `path` (links followed) for reading, never blocking; anything that
// is not a regular file fails with EACCES.
TFd OpenRegular(const std::string& path, struct stat& info, TStage stage);
// Every byte of an open regular file of `size` bytes.
std::string ReadAll(int fd, size_t size, const std::string& path);

}  // namespace wdx::posix
