#include "platform/posix/files/Replacement.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/files/BufferedSink.h"
#include "platform/posix/files/Paths.h"
#include "platform/posix/files/Protection.h"
#include "platform/posix/files/TempFile.h"

namespace wdx::posix {

namespace {

// Writes the content to the temporary file.
class TFdSink final : public filelayer::TBufferedSink {
 public:
  TFdSink(int fd, const std::string& path) : fd_(fd), path_(path) {}

 private:
  void WriteOut(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n = Step(
          "write", path_, [&] { return ::write(fd_, bytes.data(), bytes.size()); },
          static_cast<ssize_t>(bytes.size()));
      if (n <= 0) Fail(TStage::Write, n < 0 ? errno : ENOSPC);
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }

  int fd_;
  const std::string& path_;
};

// Puts the written temporary file in the target's place.
void Publish(TTempFile& temp, const std::string& folder, const std::string& target, bool exists) {
  if (temp.Name.empty()) {
    if (!exists && LinkUnnamed(temp, target, target)) return;
    LinkUnnamed(temp, TempPrefix(folder, NameOf(target)), target);
  } else if (!exists) {
    if (Step("link", target, [&] { return ::link(temp.Name.c_str(), target.c_str()); }) == 0)
      return;  // the temporary name goes with the holder
    if (errno != EEXIST) Fail(TStage::Create, errno);
  }
  if (Step("rename", target, [&] { return ::rename(temp.Name.c_str(), target.c_str()); }) != 0)
    Fail(TStage::Create, errno);
  temp.Name.clear();
}

// A file that exists is replaced only when this user may write it: checked by opening it for
// writing (which counts ACLs and the file's flags), and for the superuser too by its write bits.
void CheckWritable(const std::string& path, const struct stat& info) {
  if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0) Fail(TStage::Create, EACCES);
  const TFd fd(Step(
      "check writable", path,
      [&] { return ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC); }, -1));
  if (fd.Get() < 0) Fail(TStage::Create, errno);
}

void SyncFolder(const std::string& folder) {
  const TFd fd(Step(
      "open folder", folder,
      [&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }, -1));
  if (fd.Get() < 0 || Step("sync folder", folder, [&] { return ::fsync(fd.Get()); }) != 0)
    Fail(TStage::Write, errno);
}

}  // namespace

void ReplaceFile(const std::string& path, const TContent& content, const TProtectionSource* from) {
  if (path.empty()) Fail(TStage::Create, ENOENT);
  const std::string target = ResolveLinks(path, TStage::Create);
  struct stat existing {};
  const bool exists =
      Step("lstat", target, [&] { return ::lstat(target.c_str(), &existing); }) == 0;
  if (!exists && errno != ENOENT) Fail(TStage::Create, errno);
  if (exists) CheckWritable(target, existing);
  const std::string folder = FolderOf(target);
  struct stat folderInfo {};
  if (Step("stat", folder, [&] { return ::stat(folder.c_str(), &folderInfo); }) != 0)
    Fail(TStage::Create, errno == ENOENT ? ENOTDIR : errno);  // a missing folder: path not found
  if (!S_ISDIR(folderInfo.st_mode)) Fail(TStage::Create, ENOTDIR);
  RemoveStaleTemps(folder, NameOf(target));

  TTempFile temp;
  const TProtectionSource own{existing, target};
  const TProtectionSource* protection = from ? from : exists ? &own : nullptr;
  // A file that takes another's protection starts readable by its owner alone; a new file gets
  // what any new file in the folder would.
  CreateTemp(temp, folder, NameOf(target), protection ? 0600 : 0666);
  if (protection) CopyProtection(temp.Fd.Get(), protection->Info, protection->Path);
  TFdSink sink(temp.Fd.Get(), target);
  content(sink);
  sink.Flush();
  if (Step("flush", target, [&] { return ::fsync(temp.Fd.Get()); }) != 0)
    Fail(TStage::Write, errno);
  Publish(temp, folder, target, exists);
  SyncFolder(folder);
}

}  // namespace wdx::posix
