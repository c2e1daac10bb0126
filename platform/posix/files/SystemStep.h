// One system call of the POSIX file layer, run behind the fault seam of FileFaults.h, and the
// failure it ends in.
#pragma once

#include <cerrno>
#include <string>

#include "platform/files/Failure.h"
#include "platform/files/FaultSeam.h"

namespace wdx::posix {

using filelayer::TFailure;
using filelayer::TStage;

// Throws the failure of `stage` for the errno value `error`.
[[noreturn]] void Fail(TStage stage, int error);

// Runs one system call of `step` unless the test hook fails it; the call's result, or -1 with
// errno set to the injected error.
template <class Call>
auto Step(const char* step, const std::string& path, Call call) -> decltype(call()) {
  if (const int fault = filelayer::InjectedFault(step, path)) {
    errno = fault;
    return -1;
  }
  return call();
}

}  // namespace wdx::posix
