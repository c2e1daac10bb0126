// Temporary files are named "<file name>.wdxtmp-<process id>-<n>" in the folder of the file they
// replace, so that the next run finds and removes those that a killed run left.
#pragma once

#include <string>

namespace wdx::filelayer {

inline constexpr const char* kTempMarker = ".wdxtmp-";

// The start of this process's temporary names for `filePath` ("<filePath>.wdxtmp-<pid>-").
std::string TempPrefix(const std::string& filePath, unsigned long processId);

// The process id in a temporary name of `fileName`, or 0 when `name` is not one.
unsigned long TempOwner(const std::string& name, const std::string& fileName);

}  // namespace wdx::filelayer
