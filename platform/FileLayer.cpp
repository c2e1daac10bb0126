#include "platform/FileLayer.h"

#include <cstdlib>
#include <utility>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "platform/FileFaults.h"
#include "platform/System.h"

namespace wdx {

namespace {

TFileFaultHook& FaultHook() {
  static TFileFaultHook hook;
  return hook;
}

std::chrono::milliseconds& LockWaitSetting() {
  static std::chrono::milliseconds wait{5000};
  return wait;
}

}  // namespace

void SetFileFaultHook(TFileFaultHook hook) {
  FaultHook() = std::move(hook);
}

void SetFileLockWait(std::chrono::milliseconds wait) {
  LockWaitSetting() = wait;
}

void SaveFileReplacing(const std::string& path, std::string_view bytes, TFileErrors errors) {
  SaveFileReplacing(
      path, [bytes](TByteSink& sink) { sink.Put(bytes); }, errors);
}

void SaveFileReplacingInOut(const std::string& path, std::string_view bytes) {
  SaveFileReplacing(path, bytes, TFileErrors::InOut);
}

void TFileUpdate::Replace(std::string_view bytes) {
  Replace([bytes](TByteSink& sink) { sink.Put(bytes); });
}

namespace filelayer {

namespace {
constexpr size_t kBlock = 1 << 16;
}  // namespace

TBufferedSink::TBufferedSink() {
  buffer_.reserve(kBlock);
}

void TBufferedSink::Put(std::string_view bytes) {
  if (bytes.size() >= kBlock) {
    Flush();
    WriteOut(bytes);
    return;
  }
  if (buffer_.size() + bytes.size() > kBlock) Flush();
  buffer_.append(bytes);
}

void TBufferedSink::Flush() {
  WriteOut(buffer_);
  buffer_.clear();
}

void Raise(const TFailure& failure, TFileErrors errors, const std::string& path) {
  switch (errors) {
    case TFileErrors::InOut:
      throw EInOutError(static_cast<int>(failure.Code));
    case TFileErrors::SystemText:
      throw EOSError(failure.Code, SystemErrorMessage(failure.Code));
    case TFileErrors::Stream:
      break;
  }
  switch (failure.Stage) {
    case TStage::Open:
      throw EFOpenError(Format("Cannot open file %s", path.c_str()));
    case TStage::Create:
      throw EFCreateError(Format("Cannot create file %s", path.c_str()));
    case TStage::Write:
      break;
  }
  throw EWriteError(msg::kStreamWriteError);
}

int InjectedFault(const char* step, const std::string& nativePath) {
  const TFileFaultHook& hook = FaultHook();
  return hook ? hook(step, nativePath) : 0;
}

std::chrono::milliseconds LockWait() {
  return LockWaitSetting();
}

unsigned long TempOwner(const std::string& name, const std::string& fileName) {
  const std::string prefix = fileName + kTempMarker;
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  const char* digits = name.c_str() + prefix.size();
  char* end = nullptr;
  const unsigned long pid = std::strtoul(digits, &end, 10);
  return end != digits && *end == '-' ? pid : 0;
}

}  // namespace filelayer

}  // namespace wdx
