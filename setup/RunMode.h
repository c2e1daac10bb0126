// What the program's command line and file path tell it.
#pragma once

#include <string>

#include "setup/ConfigUnit.h"

namespace wdx {

// "0" set-up, "1" removal of the IIS registration, anything else (or nothing): end at once.
TRunMode ParseRunMode(const std::string& firstArgument);

// The folder of a program file: the path cut after its last "\" or ":", without that last
// character (C:\apps\web\program.exe gives C:\apps\web; C:\program.exe gives C:).
std::string InstallDirOf(const std::string& programPath);

}  // namespace wdx
