#include "platform/posix/files/Protection.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/posix/files/SystemStep.h"

namespace wdx::posix {

namespace {

// The value of one attribute; false when it vanished meanwhile.
bool AttributeValue(const std::string& path, const char* name, std::string& value) {
  while (true) {
    const ssize_t size = ::getxattr(path.c_str(), name, nullptr, 0);
    if (size < 0) return false;
    value.assign(static_cast<size_t>(size), '\0');
    const ssize_t n = ::getxattr(path.c_str(), name, value.data(), value.size());
    if (n >= 0) {
      value.resize(static_cast<size_t>(n));
      return true;
    }
    if (errno != ERANGE) return false;  // grew meanwhile: ask again
  }
}

void CopyAttributes(int fd, const std::string& sourcePath) {
  std::string names;
  while (true) {
    const ssize_t size = ::listxattr(sourcePath.c_str(), nullptr, 0);
    if (size <= 0) return;  // none, or a file system without them
    names.assign(static_cast<size_t>(size), '\0');
    const ssize_t n = ::listxattr(sourcePath.c_str(), names.data(), names.size());
    if (n >= 0) {
      names.resize(static_cast<size_t>(n));
      break;
    }
    if (errno != ERANGE) Fail(TStage::Create, errno);
  }
  std::string value;
  for (size_t start = 0; start < names.size();) {
    const std::string name = names.c_str() + start;
    start += name.size() + 1;
    if (name.empty() || !AttributeValue(sourcePath, name.c_str(), value)) continue;
    if (Step("protect", sourcePath,
             [&] { return ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0); }) != 0)
      Fail(TStage::Create, errno);
  }
}

}  // namespace

void CopyProtection(int fd, const struct stat& source, const std::string& sourcePath) {
  struct stat mine {};
  if (::fstat(fd, &mine) != 0) Fail(TStage::Create, errno);
  if ((mine.st_uid != source.st_uid || mine.st_gid != source.st_gid) &&
      Step("protect", sourcePath, [&] { return ::fchown(fd, source.st_uid, source.st_gid); }) != 0)
    Fail(TStage::Create, errno);
  // After the owner: a change of owner clears the set-id bits.
  if (Step("protect", sourcePath, [&] { return ::fchmod(fd, source.st_mode & 07777); }) != 0)
    Fail(TStage::Create, errno);
  CopyAttributes(fd, sourcePath);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace wdx::posix
