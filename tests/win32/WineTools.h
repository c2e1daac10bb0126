// Runs the system's command-line tools (regsvr32, reg) as an administrator would.
#pragma once

#include <string>

namespace wdx {

// Runs the command line and waits for it; its exit code, or -1 when it cannot start.
int RunTool(const std::wstring& commandLine);

// The full path of a file in the folder of the running test program.
std::wstring BesideProgram(const std::wstring& name);

}  // namespace wdx
