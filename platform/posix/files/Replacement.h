// Replacing a file atomically on POSIX: the content goes to a temporary file in the file's folder
// (TempFile.h), takes the old file's protection, reaches the disk, and is then linked into place:
// directly for a new file, through a temporary name and a rename for an existing one. The folder
// is flushed after.
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/Files.h"

namespace wdx::posix {

// The file whose owner, group, mode and attributes a replacement takes.
struct TProtectionSource {
  struct stat Info;
  std::string Path;
};

// Replaces or creates the regular file that the native `path` names, links followed. Without
// `from` an existing file keeps its own protection and a new one gets the umask's mode. Throws
// filelayer::TFailure.
void ReplaceFile(const std::string& path, const TContent& content,
                 const TProtectionSource* from = nullptr);

}  // namespace wdx::posix
