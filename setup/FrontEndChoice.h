// Which front-end runs the dialog: WENDRIX_UI=script:<file> (script:- for standard input)
// selects the scripted one; otherwise the platform's own.
#pragma once

#include <memory>

#include "framework/ui/FrontEnd.h"

namespace wdx {

// The front-end to use, or nullptr with the exit code when none can run (the reason is told on
// standard error).
std::unique_ptr<TFrontEnd> ChooseFrontEnd(int& exitCode);

}  // namespace wdx
