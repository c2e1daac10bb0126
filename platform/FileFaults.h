// The seam through which tests make the file layer fail. Before every step that reads, creates,
// writes, flushes, links, renames or removes a file, the layer asks the installed hook whether
// that step fails, and acts as if the system had reported the error the hook returns: an errno
// value on POSIX, a Windows error code on Windows (0: the step runs).
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace wdx {

using TFileFaultHook = std::function<int(const char* step, const std::string& nativePath)>;
// Installs the hook; an empty one removes it.
void SetFileFaultHook(TFileFaultHook hook);

// How long a read-modify-write waits for another writer's lock before it gives up (5 seconds
// unless changed).
void SetFileLockWait(std::chrono::milliseconds wait);

}  // namespace wdx
