#include "platform/win32/files/FileLock.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "framework/rtl/WideText.h"
#include "platform/win32/files/RegularFile.h"

namespace wdx::win32 {

using TClock = std::chrono::steady_clock;

namespace {

// The name of the file's writer lock, from its final path: the same for every path that names
// the file, since links and the case of its letters are resolved. Global where the system allows
// it, so that runs in other sessions see it too.
std::string WriterLockName(const std::string& finalPath, const char* space) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : finalPath) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::string(space) + "WendrixFileWriter-" + hex;
}

DWORD MillisecondsUntil(TClock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TClock::now());
  return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

THandle TakeWriterLock(const std::string& path, TClock::time_point deadline) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, Wide(WriterLockName(path, "Global\\")).c_str());
  if (!mutex) mutex = CreateMutexW(nullptr, FALSE, Wide(WriterLockName(path, "Local\\")).c_str());
  if (!mutex) Fail(TStage::Open, GetLastError());
  THandle lock(mutex);
  DWORD waited = WAIT_FAILED;
  if (!Step("lock", path, [&] {
        waited = WaitForSingleObject(mutex, MillisecondsUntil(deadline));
        return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;  // a killed run's is free
      }))
    Fail(TStage::Open, waited == WAIT_TIMEOUT ? ERROR_LOCK_VIOLATION : GetLastError());
  return lock;
}

}  // namespace

THeldFile::~THeldFile() {
  File.Close();
  if (WriterLock.Valid()) ReleaseMutex(WriterLock.Get());
}

THeldFile HoldForUpdate(const std::string& path) {
  const auto deadline = TClock::now() + filelayer::LockWait();
  THeldFile held;
  held.WriterLock = TakeWriterLock(path, deadline);
  while (true) {
    try {
      held.File =
          THandle(OpenRegular(path, held.Writable ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, TStage::Open));
      return held;
    } catch (const TFailure& failure) {
      if (failure.Code == ERROR_ACCESS_DENIED && held.Writable) {
        held.Writable = false;
      } else if (failure.Code != ERROR_SHARING_VIOLATION || TClock::now() >= deadline) {
        throw;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));  // another program's
      }
    }
  }
}

}  // namespace wdx::win32
