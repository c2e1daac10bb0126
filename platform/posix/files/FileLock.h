// The exclusive lock of a read-modify-write: flock on the file, waited for a bounded time.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/posix/files/Descriptor.h"

namespace wdx::posix {

// Opens and exclusively locks the regular file at `path`, waiting at most the lock wait for
// another holder; the lock is taken again when the file was replaced while waiting.
TFd LockRegular(const std::string& path, struct stat& info);

}  // namespace wdx::posix
