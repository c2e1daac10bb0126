// The Windows half under the shared functions of Files.h.
#include "platform/files/PlatformLayer.h"

#include "platform/win32/files/FileLock.h"
#include "platform/win32/files/Paths.h"
#include "platform/win32/files/RegularFile.h"
#include "platform/win32/files/Replacement.h"

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
  state->Lock = win32::LockRegular(state->Path, state->Writable);
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
