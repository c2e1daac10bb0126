// Which front-end runs a program's form: WENDRIX_UI=script:<file> (script:- for standard input)
// selects the scripted one; otherwise the platform's own (windows on Windows, the terminal on
// POSIX, whose file dialog browses the platform layer's files).
#pragma once

#include <memory>

#include "framework/ui/FrontEnd.h"

namespace wdx {

// The front-end to use, or nullptr with the exit code when none can run (the reason is told on
// standard error).
std::unique_ptr<TFrontEnd> ChooseFrontEnd(int& exitCode);

}  // namespace wdx
