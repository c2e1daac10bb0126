// The hold of a read-modify-write on Windows, waited for a bounded time. Writers of this program
// take the file's writer lock, a named mutex for its final path, and keep it from the read to the
// replacement, so that no other run can read the file in between; a handle whose share mode
// denies other writers keeps every other program from writing the file while it is read, and for
// as long as the system lets the replacement work past it.
#pragma once

#include <string>

#include "platform/win32/files/Handle.h"

namespace wdx::win32 {

struct THeldFile {
  THeldFile() = default;
  THeldFile(THeldFile&&) = default;
  ~THeldFile();
  THandle WriterLock;  // owned while held
  THandle File;        // opened for reading and, when this user may, for writing
  bool Writable = true;
};

// Holds the file at the final path `path`: waits at most the lock wait for another run of this
// program, then for any other writer. A file this user may not write is held for reading only,
// and its replacement fails later.
THeldFile HoldForUpdate(const std::string& path);

}  // namespace wdx::win32
