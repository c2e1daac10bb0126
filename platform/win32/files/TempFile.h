// The temporary file of a replacement: uniquely named "<file>.wdxtmp-<process>-<n>" beside the
// file it replaces. Temporary files that a killed run left are removed by the next one.
#pragma once

#include <string>

#include "platform/win32/files/Handle.h"

namespace wdx::win32 {

// Closed, and deleted while it has a name, when the replacement ends without publishing it.
struct TTempFile {
  THandle Handle;
  std::string Name;
  ~TTempFile();
};

// Removes the temporary files of `name` in `folder` whose process has ended.
void RemoveStaleTemps(const std::string& folder, const std::string& name);

// Creates the temporary file for `target`, open for writing.
void CreateTemp(TTempFile& temp, const std::string& target);

}  // namespace wdx::win32
