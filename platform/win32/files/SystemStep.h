// One call of the Windows file layer, run behind the fault seam of FileFaults.h, and the failure
// it ends in.
#pragma once

#include <windows.h>

#include <string>

#include "platform/FileFaults.h"
#include "platform/files/Failure.h"
#include "platform/files/FaultSeam.h"

namespace wdx::win32 {

using filelayer::TFailure;
using filelayer::TStage;

// Throws the failure of `stage` for the system error code `error` (31 when there is none).
[[noreturn]] void Fail(TStage stage, DWORD error);

// Runs one call of `step` unless the test hook fails it; false with the last error set to the
// injected error, else the call's success. A fault the hook has ignored skips the call and counts
// as success.
template <class Call>
bool Step(const char* step, const std::string& path, Call call) {
  if (const int fault = filelayer::InjectedFault(step, path)) {
    if (fault == kIgnoredFault) return true;
    SetLastError(static_cast<DWORD>(fault));
    return false;
  }
  return call();
}

}  // namespace wdx::win32
