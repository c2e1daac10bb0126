#include "platform/files/FaultSeam.h"

#include <utility>

#include "platform/FileFaults.h"

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

namespace filelayer {

int InjectedFault(const char* step, const std::string& nativePath) {
  const TFileFaultHook& hook = FaultHook();
  return hook ? hook(step, nativePath) : 0;
}

std::chrono::milliseconds LockWait() {
  return LockWaitSetting();
}

}  // namespace filelayer

}  // namespace wdx
