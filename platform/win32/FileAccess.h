// The Windows file layer's building blocks: failures, handles, regular files, the final path of
// a file behind its links and junctions, whole reads and the share-mode lock. Failures are thrown
// as filelayer::TFailure.
#pragma once

#include <windows.h>

#include <string>

#include "platform/FileLayer.h"

namespace wdx::win32 {

using filelayer::TFailure;
using filelayer::TStage;

[[noreturn]] void Fail(TStage stage, DWORD error);

// Runs one call of `step` unless the test hook fails it; false with the last error set to the
// injected error, else the call's success.
template <class Call>
bool Step(const char* step, const std::string& path, Call call) {
  if (const int fault = filelayer::InjectedFault(step, path)) {
    SetLastError(static_cast<DWORD>(fault));
    return false;
  }
  return call();
}

// A handle closed when the holder ends.
class THandle {
 public:
  explicit THandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~THandle() { Close(); }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  THandle& operator=(THandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      other.handle_ = INVALID_HANDLE_VALUE;
    }
    return *this;
  }
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close();

 private:
  HANDLE handle_;
};

std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// Opens the file at `path` (links and junctions followed) with `access` and `share`; fails
// unless it is a regular file on a disk.
HANDLE OpenRegular(const std::string& path, DWORD access, DWORD share, TStage stage);
// The path of the file an open handle refers to, with its drive letter.
std::string FinalPath(HANDLE file);
// The path of the file that `path` names: behind every link when it exists; else its folder's
// final path and its name.
std::string ResolvePath(const std::string& path, TStage stage);
std::string ReadAll(HANDLE file, const std::string& path);

}  // namespace wdx::win32
