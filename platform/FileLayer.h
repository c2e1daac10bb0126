// What the file layers of both builds share: the failure of one step and how it is reported,
// the fault seam, the lock wait and the temporary-name pattern.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

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

// Collects a replacement's content into blocks of 64 KiB for WriteOut, which writes them to the
// temporary file (and throws a TFailure when it cannot).
class TBufferedSink : public TByteSink {
 public:
  TBufferedSink();
  void Put(std::string_view bytes) override;
  // Writes what is still buffered.
  void Flush();

 protected:
  ~TBufferedSink() = default;
  virtual void WriteOut(std::string_view bytes) = 0;

 private:
  std::string buffer_;
};

// What each platform's layer provides to the shared functions of Files.h. Paths are native and
// already checked; failures are thrown as TFailure.
std::string ReadRegular(const std::string& nativePath);
// Opens, locks and reads the file for a read-modify-write.
TFileUpdate::TStatePtr LockForUpdate(const std::string& nativePath, std::string& bytes);
void ReplaceRegular(const std::string& nativePath, const TContent& content);
void ReplaceLocked(TFileUpdate::TState& locked, const TContent& content);
// Replaces or creates the file at `nativePath` with the protection of the locked file.
void ReplaceAsBackupOf(const TFileUpdate::TState& original, const std::string& nativePath,
                       const TContent& content);

// Temporary files are named "<file name>.wdxtmp-<process id>-<random>" in the folder of the file
// they replace, so that the next run finds and removes those that a killed run left.
inline constexpr const char* kTempMarker = ".wdxtmp-";
// The process id in a temporary name of `fileName`, or 0 when `name` is not one.
unsigned long TempOwner(const std::string& name, const std::string& fileName);

}  // namespace wdx::filelayer
