// One system call of the POSIX file layer, run behind the fault seam of FileFaults.h, and the
// failure it ends in.
#pragma once

#include <cerrno>
#include <string>

#include "platform/FileFaults.h"
#include "platform/files/Failure.h"
#include "platform/files/FaultSeam.h"

namespace wdx::posix {

using filelayer::TFailure;
using filelayer::TStage;

// Throws the failure of `stage` for the errno value `error`.
[[noreturn]] void Fail(TStage stage, int error);

// Runs one system call of `step` unless the test hook fails it, and again when a signal
// interrupted it: the call's result, or -1 with errno set to the injected error. A fault the hook
// has ignored skips the call and gives `asDone`.
template <class Call>
auto Step(const char* step, const std::string& path, Call call, decltype(call()) asDone = 0)
    -> decltype(call()) {
  while (true) {
    const int fault = filelayer::InjectedFault(step, path);
    if (fault == kIgnoredFault) {
      errno = EIO;
      return asDone;
    }
    errno = fault;
    const auto result = fault ? -1 : call();
    if (result != -1 || errno != EINTR) return result;
  }
}

}  // namespace wdx::posix
