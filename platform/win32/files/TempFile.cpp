#include "platform/win32/files/TempFile.h"

#include "framework/rtl/WideText.h"
#include "platform/files/TempNames.h"
#include "platform/win32/files/SystemStep.h"

namespace wdx::win32 {

TTempFile::~TTempFile() {
  Handle.Close();
  if (!Name.empty()) DeleteFileW(Wide(Name).c_str());
}

namespace {

bool ProcessRunning(unsigned long pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

}  // namespace

void RemoveStaleTemps(const std::string& folder, const std::string& name) {
  WIN32_FIND_DATAW data;
  const std::string pattern = folder + "\\" + name + filelayer::kTempMarker + "*";
  HANDLE find = FindFirstFileW(Wide(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string found = Utf8(data.cFileName);
    const unsigned long owner = filelayer::TempOwner(found, name);
    if (owner != 0 && (owner == GetCurrentProcessId() || !ProcessRunning(owner)))
      DeleteFileW(Wide(folder + "\\" + found).c_str());
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

void CreateTemp(TTempFile& temp, const std::string& target) {
  const std::string prefix = filelayer::TempPrefix(target, GetCurrentProcessId());
  for (unsigned n = 0;; ++n) {
    const std::string name = prefix + std::to_string(n);
    HANDLE file = INVALID_HANDLE_VALUE;
    if (Step("create", target, [&] {
          file = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
          return file != INVALID_HANDLE_VALUE;
        })) {
      temp.Name = name;
      temp.Handle = THandle(file);
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) Fail(TStage::Create, error);
  }
}

}  // namespace wdx::win32
