// The public functions of Files.h that read and replace files, over the platform's half of the
// file layer: paths checked and made native, failures turned into the caller's exceptions.
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "platform/Files.h"
#include "platform/files/Failure.h"
#include "platform/files/PlatformLayer.h"

namespace wdx {

using filelayer::TFailure;
using filelayer::TStage;

namespace {

std::string CheckedNativePath(const std::string& path, TStage stage) {
  if (path.find('\0') != std::string::npos) throw TFailure{stage, 123};  // ERROR_INVALID_NAME
  const std::string native = NativePath(path);
  if (native.empty()) throw TFailure{stage, 3};  // a drive that does not exist
  return native;
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  try {
    return filelayer::ReadRegular(CheckedNativePath(path, TStage::Open));
  } catch (const TFailure&) {
    throw EFOpenError(Format("Cannot open file %s", path.c_str()));
  }
}

void SaveFileReplacing(const std::string& path, const TContent& content, TFileErrors errors) {
  try {
    filelayer::ReplaceRegular(CheckedNativePath(path, TStage::Create), content);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors, path);
  }
}

void SaveFileReplacing(const std::string& path, std::string_view bytes, TFileErrors errors) {
  SaveFileReplacing(
      path, [bytes](TByteSink& sink) { sink.Put(bytes); }, errors);
}

void SaveFileReplacingInOut(const std::string& path, std::string_view bytes) {
  SaveFileReplacing(path, bytes, TFileErrors::InOut);
}

TFileUpdate::TFileUpdate(const std::string& path, TFileErrors errors)
    : path_(path), errors_(errors) {
  try {
    state_ = filelayer::LockForUpdate(CheckedNativePath(path, TStage::Open), bytes_);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors, path);
  }
}

TFileUpdate::~TFileUpdate() = default;

void TFileUpdate::SaveBackup(const std::string& backupPath) const {
  try {
    filelayer::ReplaceAsBackupOf(*state_, CheckedNativePath(backupPath, TStage::Create),
                                 [this](TByteSink& sink) { sink.Put(bytes_); });
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors_, backupPath);
  }
}

void TFileUpdate::Replace(std::string_view bytes) {
  Replace([bytes](TByteSink& sink) { sink.Put(bytes); });
}

void TFileUpdate::Replace(const TContent& content) {
  try {
    filelayer::ReplaceLocked(*state_, content);
  } catch (const TFailure& failure) {
    filelayer::Raise(failure, errors_, path_);
  }
}

}  // namespace wdx
