#include "platform/posix/FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/FileAccess.h"
#include "platform/posix/FileProtection.h"

namespace wdx::posix {

namespace {

using filelayer::kTempMarker;

// The temporary file of one replacement: closed, and unlinked while it has a name, when the
// replacement ends without publishing it.
struct TTempFile {
  TFd Fd;
  std::string Name;  // its path while it has one
  ~TTempFile() {
    if (!Name.empty()) ::unlink(Name.c_str());
  }
};

std::string TempPrefix(const std::string& folder, const std::string& name) {
  return folder + "/" + name + kTempMarker + std::to_string(::getpid()) + "-";
}

// Removes the temporary files of `name` whose process has ended: those a killed run left.
void RemoveStaleTemps(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const unsigned long owner = filelayer::TempOwner(entry->d_name, name);
    if (owner == 0) continue;
    const bool ended = owner == static_cast<unsigned long>(::getpid()) ||
                       (::kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH);
    if (ended) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

bool CanLinkUnnamed() {
  return ::access("/proc/self/fd", X_OK) == 0;
}

void CreateTemp(TTempFile& temp, const std::string& folder, const std::string& name) {
  int fd = -1;
  if (CanLinkUnnamed()) {
    fd = Step("create", folder,
              [&] { return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666); });
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      Fail(TStage::Create, errno);
    }
  }
  if (fd < 0) {
    std::string path = TempPrefix(folder, name) + "XXXXXX";
    fd = Step("create", folder, [&] { return ::mkostemp(path.data(), O_CLOEXEC); });
    if (fd < 0) Fail(TStage::Create, errno);
    temp.Name = path;
    if (::fchmod(fd, NewFileMode()) != 0) Fail(TStage::Create, errno);
  }
  temp.Fd = TFd(fd);
}

// Writes the content to the temporary file.
class TFdSink final : public filelayer::TBufferedSink {
 public:
  TFdSink(int fd, const std::string& path) : fd_(fd), path_(path) {}

 private:
  void WriteOut(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t n =
          Step("write", path_, [&] { return ::write(fd_, bytes.data(), bytes.size()); });
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) Fail(TStage::Write, n < 0 ? errno : ENOSPC);
      bytes.remove_prefix(static_cast<size_t>(n));
    }
  }

  int fd_;
  const std::string& path_;
};

// Gives the unnamed file a name in its folder: the target itself for a new file (false when
// someone created it meanwhile), else a fresh temporary name.
bool LinkUnnamed(TTempFile& temp, const std::string& to, const std::string& target) {
  const std::string self = "/proc/self/fd/" + std::to_string(temp.Fd.Get());
  auto link = [&](const std::string& name) {
    return Step("link", target, [&] {
      return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    });
  };
  if (to == target) {
    if (link(target) == 0) return true;
    if (errno != EEXIST) Fail(TStage::Create, errno);
    return false;
  }
  for (unsigned n = 0;; ++n) {
    const std::string name = to + std::to_string(n);
    if (link(name) == 0) {
      temp.Name = name;
      return true;
    }
    if (errno != EEXIST) Fail(TStage::Create, errno);
  }
}

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
  const TFd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0) Fail(TStage::Create, errno);
}

void SyncFolder(const std::string& folder) {
  const TFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() < 0 || Step("sync folder", folder, [&] { return ::fsync(fd.Get()); }) != 0)
    Fail(TStage::Write, errno);
}

}  // namespace

void ReplaceFile(const std::string& path, const TContent& content, const TProtectionSource* from) {
  if (path.empty()) Fail(TStage::Create, ENOENT);
  const std::string target = ResolveLinks(path, TStage::Create);
  struct stat existing {};
  const bool exists = ::lstat(target.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) Fail(TStage::Create, errno);
  if (exists) CheckWritable(target, existing);
  const std::string folder = FolderOf(target);
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0 || !S_ISDIR(folderInfo.st_mode))
    Fail(TStage::Create, ENOTDIR);  // a missing folder is a path not found
  RemoveStaleTemps(folder, NameOf(target));

  TTempFile temp;
  CreateTemp(temp, folder, NameOf(target));
  const TProtectionSource own{existing, target};
  if (from || exists)
    CopyProtection(temp.Fd.Get(), from ? from->Info : own.Info, from ? from->Path : own.Path);
  TFdSink sink(temp.Fd.Get(), target);
  content(sink);
  sink.Flush();
  if (Step("flush", target, [&] { return ::fsync(temp.Fd.Get()); }) != 0)
    Fail(TStage::Write, errno);
  Publish(temp, folder, target, exists);
  SyncFolder(folder);
}

}  // namespace wdx::posix
