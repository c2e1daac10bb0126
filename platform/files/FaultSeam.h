// The file layer's side of the test seam of FileFaults.h: what the installed hook says of a step,
// and how long a read-modify-write waits for another writer.
#pragma once

#include <chrono>
#include <string>

namespace wdx::filelayer {

// The error the test hook injects into a step, or 0.
int InjectedFault(const char* step, const std::string& nativePath);

std::chrono::milliseconds LockWait();

}  // namespace wdx::filelayer
