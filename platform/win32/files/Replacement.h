// Replacing a file atomically on Windows: the content goes to a uniquely named temporary file in
// the file's folder (TempFile.h) and is flushed to the disk (FlushFileBuffers); ReplaceFileW then
// puts it in the file's place, keeping the file's ACL, attributes and streams. A new file, and a
// backup (which takes its original's protection), is moved into place with MOVEFILE_WRITE_THROUGH.
// Temporary files that a killed run left are removed by the next one.
#pragma once

#include <string>

#include "platform/Files.h"
#include "platform/win32/files/Handle.h"

namespace wdx::win32 {

// Replaces or creates the regular file at the final path `target`. `protectFrom` names the file
// whose security a backup takes; `lock` is the caller's open handle on the target when it holds
// the file for a read-modify-write (FileLock.h; opened for writing, so the target is known to be
// writable).
void ReplaceFile(const std::string& target, const TContent& content,
                 const std::string* protectFrom = nullptr, THandle* lock = nullptr);

}  // namespace wdx::win32
