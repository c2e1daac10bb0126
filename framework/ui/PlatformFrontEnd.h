// The front-end of the platform the program runs on: real windows on Windows, the terminal on
// POSIX.
#pragma once

#include <memory>

#include "framework/ui/FrontEnd.h"

namespace wdx {

// nullptr with the exit code when it cannot run (the reason is told on standard error).
std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode);

}  // namespace wdx
