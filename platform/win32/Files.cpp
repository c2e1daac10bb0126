#include "platform/Files.h"

#include <windows.h>

#include <algorithm>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

// The system's error as the input/output error codes of the framework.
int InOutCode(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return 101;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return 3;
    default:
      return static_cast<int>(error);
  }
}

struct WriteFailure {
  DWORD error;
  bool created;  // the temporary file existed: the failure came while writing
};

bool WriteReplacing(const std::string& target, const std::string& bytes, WriteFailure& failure) {
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    failure = {ERROR_ACCESS_DENIED, false};
    return false;
  }
  const std::string temp = target + ".wdxtmp";
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    failure = {GetLastError(), false};
    return false;
  }
  size_t written = 0;
  bool ok = true;
  while (ok && written < bytes.size()) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1 << 20));
    ok = WriteFile(file, bytes.data() + written, chunk, &n, nullptr) && n > 0;
    written += n;
  }
  if (!ok) failure = {GetLastError(), true};
  if (!CloseHandle(file) && ok) {
    ok = false;
    failure = {GetLastError(), true};
  }
  if (ok && !MoveFileExA(temp.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    failure = {GetLastError(), true};
  }
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

}  // namespace

std::string NativePath(const std::string& windowsPath) {
  return windowsPath;
}

std::string WindowsPath(const std::string& nativePath) {
  return nativePath;
}

std::string ModuleFileName() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, n);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw EFOpenError(Format("Cannot open file %s", path.c_str()));
  std::string bytes;
  char chunk[65536];
  DWORD n = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &n, nullptr)) && n > 0) bytes.append(chunk, n);
  CloseHandle(file);
  if (!ok) throw EReadError(msg::kStreamReadError);
  return bytes;
}

void SaveFileReplacing(const std::string& path, const std::string& bytes) {
  WriteFailure failure{};
  if (WriteReplacing(path, bytes, failure)) return;
  if (failure.created) throw EWriteError(msg::kStreamWriteError);
  throw EFCreateError(Format("Cannot create file %s", path.c_str()));
}

void SaveFileReplacingInOut(const std::string& path, const std::string& bytes) {
  WriteFailure failure{};
  if (!WriteReplacing(path, bytes, failure)) throw EInOutError(InOutCode(failure.error));
}

std::vector<TDirEntry> ListDirectory(const std::string& path) {
  std::vector<TDirEntry> entries;
  WIN32_FIND_DATAA data;
  std::string pattern = path;
  if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
  HANDLE find = FindFirstFileA((pattern + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) {
    return AsciiUpper(a.Name) < AsciiUpper(b.Name);
  });
  return entries;
}

}  // namespace wdx
