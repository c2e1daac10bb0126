#include "platform/win32/files/FileLock.h"

#include <chrono>
#include <thread>

#include "platform/win32/files/RegularFile.h"

namespace wdx::win32 {

THandle LockRegular(const std::string& path, bool& writable) {
  writable = true;
  const auto deadline = std::chrono::steady_clock::now() + filelayer::LockWait();
  while (true) {
    try {
      return THandle(OpenRegular(path, writable ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_DELETE, TStage::Open));
    } catch (const TFailure& failure) {
      if (failure.Code == ERROR_ACCESS_DENIED && writable) {
        writable = false;
      } else if (failure.Code != ERROR_SHARING_VIOLATION ||
                 std::chrono::steady_clock::now() >= deadline) {
        throw;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
  }
}

}  // namespace wdx::win32
