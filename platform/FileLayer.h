// What the file layers of both builds share: the failure of one step and how it is reported,
// the fault seam, the lock wait and the temporary-name pattern.
#pragma once

#include <chrono>
#include <string>

#include "platform/Files.h"

namespace wdx::filelayer {

// Where a file operation failed.
enum class TStage { Open, Create, Write };

// A failed step: its stage and the Windows system error code of the failure (the POSIX layer
// translates errno).
struct TFailure {
  TStage Stage;
  unsigned Code;
};

// Raises the exception that `errors` gives for the failure; `path` is the path as the caller gave
// it.
[[noreturn]] void Raise(const TFailure& failure, TFileErrors errors, const std::string& path);

// The error the test hook injects into a step, or 0.
int InjectedFault(const char* step, const std::string& nativePath);

std::chrono::milliseconds LockWait();

// Temporary files are named "<file name>.wdxtmp-<process id>-<random>" in the folder of the file
// they replace, so that the next run finds and removes those that a killed run left.
inline constexpr const char* kTempMarker = ".wdxtmp-";
// The process id in a temporary name of `fileName`, or 0 when `name` is not one.
unsigned long TempOwner(const std::string& name, const std::string& fileName);

}  // namespace wdx::filelayer
