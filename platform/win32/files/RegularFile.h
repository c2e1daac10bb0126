// Regular files on a disk, opened with a share mode and read whole.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/files/SystemStep.h"

namespace wdx::win32 {

// Opens the file at `path` (links and junctions followed) with `access` and `share`; fails
// unless it is a regular file on a disk.
HANDLE OpenRegular(const std::string& path, DWORD access, DWORD share, TStage stage);
std::string ReadAll(HANDLE file, const std::string& path);

}  // namespace wdx::win32
