#include "platform/win32/files/Replacement.h"

#include <algorithm>
#include <string_view>

#include "framework/rtl/WideText.h"
#include "platform/files/BufferedSink.h"
#include "platform/win32/files/Paths.h"
#include "platform/win32/files/RegularFile.h"
#include "platform/win32/files/TempFile.h"

namespace wdx::win32 {

namespace {

// Gives the temporary file the owner, group and ACL of `source`.
void CopySecurity(const std::string& source, const std::string& temp) {
  const SECURITY_INFORMATION what =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityW(Wide(source).c_str(), what, nullptr, 0, &size);
  std::string descriptor(size, '\0');
  if (size == 0 || !GetFileSecurityW(Wide(source).c_str(), what, descriptor.data(), size, &size) ||
      !Step("protect", temp,
            [&] { return SetFileSecurityW(Wide(temp).c_str(), what, descriptor.data()) != 0; })) {
    Fail(TStage::Create, GetLastError());
  }
}

// Writes the content to the temporary file.
class THandleSink final : public filelayer::TBufferedSink {
 public:
  THandleSink(HANDLE file, const std::string& path) : file_(file), path_(path) {}

 private:
  void WriteOut(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
      DWORD n = 0;
      if (!Step("write", path_, [&] { return WriteFile(file_, bytes.data(), want, &n, nullptr); }))
        Fail(TStage::Write, GetLastError());
      if (n == 0) Fail(TStage::Write, 101);  // nothing written: the disk is full
      bytes.remove_prefix(n);
    }
  }

  HANDLE file_;
  const std::string& path_;
};

// A file that exists is replaced only when this user may write it: its read-only attribute, and
// opening it for writing (its ACL), tell.
void CheckWritable(const std::string& target) {
  const DWORD attributes = GetFileAttributesW(Wide(target).c_str());
  if (attributes & FILE_ATTRIBUTE_READONLY) Fail(TStage::Create, ERROR_ACCESS_DENIED);
  const THandle probe(OpenRegular(target, GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  TStage::Create));
}

void Publish(TTempFile& temp, const std::string& target, bool replace, THandle* lock) {
  auto replaceFile = [&] {
    return Step("replace", target, [&] {
      return ::ReplaceFileW(Wide(target).c_str(), Wide(temp.Name).c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    });
  };
  bool done;
  if (replace) {
    done = replaceFile();
    const DWORD error = GetLastError();
    // Where the system cannot replace a file that is held open, the handle goes first; the writer
    // lock still keeps every other run of this program out until the file is replaced.
    if (!done && lock && (error == ERROR_SHARING_VIOLATION || error == 1175)) {
      lock->Close();
      done = replaceFile();
    }
  } else {
    const DWORD flags = MOVEFILE_WRITE_THROUGH |
                        (GetFileAttributesW(Wide(target).c_str()) != INVALID_FILE_ATTRIBUTES
                             ? MOVEFILE_REPLACE_EXISTING
                             : 0);
    done = Step("rename", target, [&] {
      return MoveFileExW(Wide(temp.Name).c_str(), Wide(target).c_str(), flags) != 0;
    });
  }
  if (!done) Fail(TStage::Create, GetLastError());
  temp.Name.clear();
}

}  // namespace

void ReplaceFile(const std::string& target, const TContent& content, const std::string* protectFrom,
                 THandle* lock) {
  const DWORD attributes = GetFileAttributesW(Wide(target).c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) Fail(TStage::Create, ERROR_ACCESS_DENIED);
  if (exists && !(lock && lock->Valid())) CheckWritable(target);
  RemoveStaleTemps(FolderOf(target), NameOf(target));

  TTempFile temp;
  CreateTemp(temp, target);
  if (protectFrom) CopySecurity(*protectFrom, temp.Name);
  THandleSink sink(temp.Handle.Get(), target);
  content(sink);
  sink.Flush();
  if (!Step("flush", target, [&] { return FlushFileBuffers(temp.Handle.Get()) != 0; }))
    Fail(TStage::Write, GetLastError());
  temp.Handle.Close();
  // ReplaceFileW carries the file's attributes over; given to the temporary file as well, they
  // survive where the system only renames.
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (exists && !protectFrom && (attributes & kept) && !Step("protect", target, [&] {
        return SetFileAttributesW(Wide(temp.Name).c_str(), attributes & kept) != 0;
      }))
    Fail(TStage::Create, GetLastError());
  Publish(temp, target, exists && !protectFrom, lock);
}

}  // namespace wdx::win32
