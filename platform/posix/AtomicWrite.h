// Replacing a file atomically on POSIX: the bytes go to a temporary file in the same folder,
// which is then renamed over the old file.
#pragma once

#include <string>

namespace wdx {

struct WriteFailure {
  int error;     // errno
  bool created;  // the temporary file existed: the failure came while writing
};

// Writes `bytes` next to the native path `target` and renames it over the target; false with
// the failure. A read-only or directory target is refused (EACCES, EISDIR).
bool WriteReplacing(const std::string& target, const std::string& bytes, WriteFailure& failure);

}  // namespace wdx
