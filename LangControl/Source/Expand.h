// The library's platform start-up step.
#pragma once

namespace wdx {

// Runs once when the library starts. On the old consumer family of Windows the library once
// switched the PC speaker off through I/O port 0x61; this build runs only on the NT family
// (every 64-bit Windows) and on POSIX, where the step does nothing and no port is touched.
void PlatformStartup();

}  // namespace wdx
