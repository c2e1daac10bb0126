// The Windows half under the shared functions of Files.h.
#include "platform/files/PlatformLayer.h"

#include <utility>

#include "platform/win32/files/FileLock.h"
#include "platform/win32/files/Paths.h"
#include "platform/win32/files/RegularFile.h"
#include "platform/win32/files/Replacement.h"

namespace wdx {

// The held file (FileLock.h) and its final path.
struct TFileUpdate::TState {
  explicit TState(std::string path) : Path(std::move(path)), Held(win32::HoldForUpdate(Path)) {}
  std::string Path;
  win32::THeldFile Held;
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
  TFileUpdate::TStatePtr state(
      new TFileUpdate::TState(win32::ResolvePath(nativePath, TStage::Open)));
  bytes = win32::ReadAll(state->Held.File.Get(), state->Path);
  return state;
}

void ReplaceRegular(const std::string& nativePath, const TContent& content) {
  win32::ReplaceFile(win32::ResolvePath(nativePath, TStage::Create), content);
}

void ReplaceLocked(TFileUpdate::TState& locked, const TContent& content) {
  win32::ReplaceFile(locked.Path, content, nullptr,
                     locked.Held.Writable ? &locked.Held.File : nullptr);
}

void ReplaceAsBackupOf(const TFileUpdate::TState& original, const std::string& nativePath,
                       const TContent& content) {
  win32::ReplaceFile(win32::ResolvePath(nativePath, TStage::Create), content, &original.Path);
}

}  // namespace filelayer

}  // namespace wdx
