// Paths as the Windows file layer takes them apart: folder, name, and the final path of a file
// behind its links and junctions.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/files/SystemStep.h"

namespace wdx::win32 {

std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// The path of the file an open handle refers to, with its drive letter.
std::string FinalPath(HANDLE file);
// The path of the file that `path` names: behind every link when it exists; else its folder's
// final path and its name.
std::string ResolvePath(const std::string& path, TStage stage);

}  // namespace wdx::win32
