// A failed step of the file layer and how it reaches the caller: each half throws a TFailure with
// the stage that failed and the Windows error code of the failure; the public functions of
// Files.h turn it into the exception their caller asked for.
#pragma once

#include <string>

#include "platform/Files.h"

namespace wdx::filelayer {

// Where a file operation failed.
enum class TStage { Open, Create, Write };

// A failed step: its stage and the Windows system error code of the failure (the POSIX half
// translates errno).
struct TFailure {
  TStage Stage;
  unsigned Code;
};

// Raises the exception that `errors` gives for the failure; `path` is the path as the caller gave
// it.
[[noreturn]] void Raise(const TFailure& failure, TFileErrors errors, const std::string& path);

}  // namespace wdx::filelayer
