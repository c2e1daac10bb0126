// The POSIX half under the shared functions of Files.h.
#include "platform/files/PlatformLayer.h"

#include "platform/posix/files/FileLock.h"
#include "platform/posix/files/Paths.h"
#include "platform/posix/files/RegularFile.h"
#include "platform/posix/files/Replacement.h"

namespace wdx {

// The locked file: its descriptor holds the lock; its real path and state are what the
// replacement and the backup work from.
struct TFileUpdate::TState {
  posix::TFd Fd;
  posix::TProtectionSource Source;
};

void TFileUpdate::TStateDeleter::operator()(TState* state) const {
  delete state;
}

namespace filelayer {

std::string ReadRegular(const std::string& nativePath) {
  struct stat info {};
  const posix::TFd fd = posix::OpenRegular(nativePath, info, TStage::Open);
  return posix::ReadAll(fd.Get(), static_cast<size_t>(info.st_size), nativePath);
}

TFileUpdate::TStatePtr LockForUpdate(const std::string& nativePath, std::string& bytes) {
  TFileUpdate::TStatePtr state(new TFileUpdate::TState());
  state->Source.Path = posix::ResolveLinks(nativePath, TStage::Open);
  state->Fd = posix::LockRegular(state->Source.Path, state->Source.Info);
  bytes = posix::ReadAll(state->Fd.Get(), static_cast<size_t>(state->Source.Info.st_size),
                         state->Source.Path);
  return state;
}

void ReplaceRegular(const std::string& nativePath, const TContent& content) {
  posix::ReplaceFile(nativePath, content);
}

void ReplaceLocked(TFileUpdate::TState& locked, const TContent& content) {
  posix::ReplaceFile(locked.Source.Path, content);
}

void ReplaceAsBackupOf(const TFileUpdate::TState& original, const std::string& nativePath,
                       const TContent& content) {
  posix::ReplaceFile(nativePath, content, &original.Source);
}

}  // namespace filelayer

}  // namespace wdx
