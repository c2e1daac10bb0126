// The front-end of the platform the program runs on: real windows on Windows, the terminal on
// POSIX.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/FrontEnd.h"

namespace wdx {

// What a front-end's own file-open dialog needs of the file system. The framework sits below
// the platform's file layer, so the program passes these in. Paths are in the program's own
// (Windows) form.
struct TFolderEntry {
  std::string Name;
  bool IsFolder = false;
};
struct TFileBrowsing {
  // The entries of a folder, sorted by name; empty when it cannot be read.
  std::function<std::vector<TFolderEntry>(const std::string& folder)> ListFolder;
  std::function<bool(const std::string& folder)> FolderExists;
};

// nullptr with the exit code when it cannot run (the reason is told on standard error).
std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode, TFileBrowsing files);

}  // namespace wdx
