// The exclusive hold of a read-modify-write on Windows: a handle whose share mode denies every
// other writer, waited for a bounded time.
#pragma once

#include <string>

#include "platform/win32/files/Handle.h"

namespace wdx::win32 {

// Opens the file at the final path `path` for the read-modify-write, waiting at most the lock
// wait while another writer holds it. `writable` says whether it could be opened for writing;
// a file this user may not write is held for reading only, and its replacement fails later.
THandle LockRegular(const std::string& path, bool& writable);

}  // namespace wdx::win32
