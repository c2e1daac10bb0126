// The Windows layer under the shared functions of Files.h.
#include <chrono>
#include <thread>

#include "platform/FileLayer.h"
#include "platform/win32/FileAccess.h"
#include "platform/win32/FileReplace.h"

namespace wdx {

// The locked file: a handle whose share mode denies every other writer, and its final path.
// When this user may not write the file it is held for reading only, and the replacement fails.
struct TFileUpdate::TState {
  win32::THandle Lock;
  std::string Path;
  bool Writable = true;
};

void TFileUpdate::TStateDeleter::operator()(TState* state) const {
  delete state;
}

namespace filelayer {

std::string ReadRegular(const std::string& nativePath) {
  const win32::THandle file(win32::OpenRegular(nativePath, GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, TStage::Open));
  return win32::ReadAll(file.Get(), nativePath);
}

TFileUpdate::TStatePtr LockForUpdate(const std::string& nativePath, std::string& bytes) {
  TFileUpdate::TStatePtr state(new TFileUpdate::TState());
  state->Path = win32::ResolvePath(nativePath, TStage::Open);
  const auto deadline = std::chrono::steady_clock::now() + LockWait();
  while (true) {
    try {
      state->Lock = win32::THandle(win32::OpenRegular(
          state->Path, state->Writable ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
          FILE_SHARE_READ | FILE_SHARE_DELETE, TStage::Open));
      break;
    } catch (const TFailure& failure) {
      if (failure.Code == ERROR_ACCESS_DENIED && state->Writable) {
        state->Writable = false;
      } else if (failure.Code != ERROR_SHARING_VIOLATION ||
                 std::chrono::steady_clock::now() >= deadline) {
        throw;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
  }
  bytes = win32::ReadAll(state->Lock.Get(), state->Path);
  return state;
}

void ReplaceRegular(const std::string& nativePath, const TContent& content) {
  win32::ReplaceFile(win32::ResolvePath(nativePath, TStage::Create), content);
}

void ReplaceLocked(TFileUpdate::TState& locked, const TContent& content) {
  win32::ReplaceFile(locked.Path, content, nullptr, locked.Writable ? &locked.Lock : nullptr);
}

void ReplaceAsBackupOf(const TFileUpdate::TState& original, const std::string& nativePath,
                       const TContent& content) {
  win32::ReplaceFile(win32::ResolvePath(nativePath, TStage::Create), content, &original.Path);
}

}  // namespace filelayer

}  // namespace wdx
