// Reading, replacing and the locked read-modify-write of Files.h on POSIX.
#include <unistd.h>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "platform/Files.h"
#include "platform/posix/FileAccess.h"
#include "platform/posix/FileReplace.h"

namespace wdx {

using posix::TFailure;

namespace {

std::string CheckedNativePath(const std::string& path, filelayer::TStage stage) {
  if (path.find('\0') != std::string::npos) throw TFailure{stage, 123};  // ERROR_INVALID_NAME
  return NativePath(path);
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  try {
    const std::string native = CheckedNativePath(path, filelayer::TStage::Open);
    struct stat info {};
    const posix::TFd fd = posix::OpenRegular(native, info, filelayer::TStage::Open);
    return posix::ReadAll(fd.Get(), static_cast<size_t>(info.st_size), native);
  } catch (const TFailure&) {
    throw EFOpenError(Format("Cannot open file %s", path.c_str()));
  }
}

void SaveFileReplacing(const std::string& path, const TContent& content, TFileErrors errors) {
  try {
    posix::ReplaceFile(CheckedNativePath(path, filelayer::TStage::Create), content);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors, path);
  }
}

// The locked file: its descriptor holds the lock, its real path and state are what the
// replacement and the backup work from.
struct TFileUpdate::TState {
  posix::TFd Fd;
  posix::TProtectionSource Source;
};

TFileUpdate::TFileUpdate(const std::string& path, TFileErrors errors)
    : path_(path), errors_(errors), state_(std::make_unique<TState>()) {
  try {
    const std::string native = CheckedNativePath(path, filelayer::TStage::Open);
    state_->Source.Path = posix::ResolveLinks(native, filelayer::TStage::Open);
    state_->Fd = posix::LockRegular(state_->Source.Path, state_->Source.Info);
    bytes_ = posix::ReadAll(state_->Fd.Get(), static_cast<size_t>(state_->Source.Info.st_size),
                            state_->Source.Path);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors, path);
  }
}

TFileUpdate::~TFileUpdate() = default;

void TFileUpdate::SaveBackup(const std::string& backupPath) const {
  try {
    posix::ReplaceFile(
        CheckedNativePath(backupPath, filelayer::TStage::Create),
        [this](TByteSink& sink) { sink.Put(bytes_); }, &state_->Source);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors_, backupPath);
  }
}

void TFileUpdate::Replace(const TContent& content) {
  try {
    posix::ReplaceFile(state_->Source.Path, content);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors_, path_);
  }
}

}  // namespace wdx
