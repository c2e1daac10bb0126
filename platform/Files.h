// Files addressed by Windows paths ("C:\Program Files\x\y.txt"), on every build. The POSIX build
// maps them the way wine does: drive Z: is the root of the Linux file system and the drives C:
// to Y: are the folders that WENDRIX_DRIVE_C ... WENDRIX_DRIVE_Y name; a path without a drive
// is relative to the current folder.
#pragma once

#include <string>
#include <vector>

namespace wdx {

// The native path of a Windows path; throws nothing. An unknown drive gives an empty path,
// which no file operation finds.
std::string NativePath(const std::string& windowsPath);
// The Windows path of a native absolute path (POSIX: "Z:" and the path with backslashes).
std::string WindowsPath(const std::string& nativePath);

// The running program's own full path, in Windows form.
std::string ModuleFileName();

// Whether a file exists at the path; a directory does not count.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The file's bytes; raises EFOpenError "Cannot open file %s" with the path as given.
std::string ReadFileBytes(const std::string& path);

// Replaces the file atomically: the bytes go to a temporary file in the same folder, which is
// then renamed over the old one, so a failed write leaves the old file whole. Raises
// EFCreateError "Cannot create file %s" when the file cannot be created and EWriteError "Stream
// write error" when writing fails.
void SaveFileReplacing(const std::string& path, const std::string& bytes);

// The same replacement with the failures reported as input/output errors by the system's code
// (EInOutError: 2 "File not found", 3 "Invalid filename", 5 "File access denied", ...).
void SaveFileReplacingInOut(const std::string& path, const std::string& bytes);

struct TDirEntry {
  std::string Name;
  bool IsDirectory;
};
// The entries of a folder, sorted by name ignoring case; empty when it cannot be read.
std::vector<TDirEntry> ListDirectory(const std::string& path);

}  // namespace wdx
