// Files addressed by Windows paths ("C:\Program Files\x\y.txt"), on every build. The POSIX build
// maps them the way wine does: drive Z: is the root of the Linux file system and the drives C:
// to Y: are the folders that WENDRIX_DRIVE_C ... WENDRIX_DRIVE_Y name; a path without a drive
// is relative to the current folder.
//
// Every file the program reads or rewrites belongs to an administrator, so the layer treats it
// the way careful tools do:
// - only regular files are read or replaced; a folder, device, FIFO or socket counts as no file,
//   and nothing is ever opened in a way that could block or read without end;
// - links are written through: the file a link points at gets the new content, the link stays;
//   a dangling link counts as a missing file;
// - a replacement is atomic: the content goes to an unnamed (or recognisably named) temporary
//   file in the same folder, reaches the disk, and only then takes the file's place; the folder
//   is flushed after. A temporary file left by a killed run is removed by the next one;
// - the replaced file keeps its owner, group, permission bits, ACL and extended attributes (on
//   Windows its ACL, attributes and streams), and one that cannot be read or given stops the
//   replacement; a new file gets the mode the umask gives;
// - nothing is replaced or created that the running user may not write; a file without any
//   write permission counts as read-only even for the superuser;
// - a read-modify-write (TFileUpdate) holds an exclusive lock on its file from the read to the
//   replacement, so two runs at once never lose an update.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wdx {

// The native path of a Windows path; throws nothing. An unknown drive gives an empty path,
// which no file operation finds.
std::string NativePath(const std::string& windowsPath);
// The Windows path of a native absolute path (POSIX: "Z:" and the path with backslashes).
std::string WindowsPath(const std::string& nativePath);

// The running program's own full path, in Windows form.
std::string ModuleFileName();

// Whether a regular file exists at the path, links followed; anything else counts as none.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The regular file's bytes; raises EFOpenError "Cannot open file %s" with the path as given for
// anything else, and EReadError "Stream read error" when reading fails.
std::string ReadFileBytes(const std::string& path);

// Receives a file's new content piece by piece, so that a large file is never held twice.
class TByteSink {
 public:
  virtual void Put(std::string_view bytes) = 0;

 protected:
  ~TByteSink() = default;
};
using TContent = std::function<void(TByteSink& sink)>;

// How a failure is reported:
// - Stream: EFOpenError "Cannot open file %s" when the file cannot be opened or locked,
//   EFCreateError "Cannot create file %s" when it cannot be created or replaced, EWriteError
//   "Stream write error" when writing its content fails;
// - InOut: EInOutError with the system's error code (2 "File not found", 3 "Invalid filename",
//   5 "File access denied", ..., "I/O error %d");
// - SystemText: EOSError whose message is the system's description of its error code.
enum class TFileErrors { Stream, InOut, SystemText };

// Replaces the file, or creates it, as described above.
void SaveFileReplacing(const std::string& path, std::string_view bytes,
                       TFileErrors errors = TFileErrors::Stream);
void SaveFileReplacing(const std::string& path, const TContent& content,
                       TFileErrors errors = TFileErrors::Stream);
// The same replacement with the failures reported as input/output errors.
void SaveFileReplacingInOut(const std::string& path, std::string_view bytes);

// A read-modify-write of one existing regular file: the constructor opens and locks it (waiting
// a bounded time for another writer) and reads it; Replace writes the new content in its place.
// The lock is held until the object is destroyed.
class TFileUpdate {
 public:
  explicit TFileUpdate(const std::string& path, TFileErrors errors = TFileErrors::Stream);
  ~TFileUpdate();
  TFileUpdate(const TFileUpdate&) = delete;
  TFileUpdate& operator=(const TFileUpdate&) = delete;

  const std::string& Bytes() const { return bytes_; }
  // Writes the bytes read to `backupPath`, replacing any file there; the backup gets this file's
  // owner, group, mode and attributes, so it is never more readable than the original.
  void SaveBackup(const std::string& backupPath) const;
  void Replace(std::string_view bytes);
  void Replace(const TContent& content);

  // The platform's locked file.
  struct TState;
  struct TStateDeleter {
    void operator()(TState* state) const;
  };
  using TStatePtr = std::unique_ptr<TState, TStateDeleter>;

 private:
  std::string path_;
  TFileErrors errors_;
  std::string bytes_;
  TStatePtr state_;
};

struct TDirEntry {
  std::string Name;
  bool IsDirectory;
};
// The entries of a folder, sorted by name ignoring case; empty when it cannot be read.
std::vector<TDirEntry> ListDirectory(const std::string& path);

}  // namespace wdx
