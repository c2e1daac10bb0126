// The seam through which tests make the file layer fail. Before every system call of a read or a
// replacement (looking at a file, its links, its folder or its attributes; opening, locking,
// reading, creating, writing, flushing, protecting, linking or renaming it) the layer asks the
// installed hook whether that step fails, and acts as if the system had reported the error the
// hook returns: an errno value on POSIX, a Windows error code on Windows (0: the step runs).
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace wdx {

using TFileFaultHook = std::function<int(const char* step, const std::string& nativePath)>;

// What a hook returns to have a step fail and the layer then go on as if it had succeeded: the
// call is skipped and taken as done (a read as the end of the file, a write as complete). No
// product code returns it; it shows what a swallowed error would leave, so that a test can prove
// that it sees one. A call whose result the layer cannot do without (a new descriptor) fails as
// with an input/output error instead.
inline constexpr int kIgnoredFault = -1;
// Installs the hook; an empty one removes it.
void SetFileFaultHook(TFileFaultHook hook);

// How long a read-modify-write waits for another writer's lock before it gives up (5 seconds
// unless changed).
void SetFileLockWait(std::chrono::milliseconds wait);

}  // namespace wdx
