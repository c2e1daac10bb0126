#include "platform/posix/files/Protection.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "platform/posix/files/SystemStep.h"

namespace wdx::posix {

namespace {

constexpr const char* kAccessAcl = "system.posix_acl_access";

using TAttributes = std::vector<std::pair<std::string, std::string>>;

// Reads a list or value of unknown size with `get(buffer, size)`, asking again while it grows.
// False when the system has none to give: `absent` is the error that says so.
template <class Get>
bool ReadSized(const char* step, const std::string& path, int absent, std::string& out, Get get) {
  while (true) {
    const ssize_t size = Step(step, path, [&] { return get(nullptr, 0); });
    if (size < 0 && errno == absent) return false;
    if (size < 0) Fail(TStage::Create, errno);
    out.assign(static_cast<size_t>(size), '\0');
    if (size == 0) return true;
    const ssize_t n = Step(step, path, [&] { return get(out.data(), out.size()); });
    if (n >= 0) {
      out.resize(static_cast<size_t>(n));
      return true;
    }
    if (errno == absent) return false;
    if (errno != ERANGE) Fail(TStage::Create, errno);
  }
}

// Every extended attribute of the file, the ACL among them; none on a file system without them.
// One that cannot be read stops the replacement: dropping it would change who may use the file.
TAttributes ReadAttributes(const std::string& path) {
  TAttributes attributes;
  std::string names;
  if (!ReadSized("listxattr", path, ENOTSUP, names, [&](char* buffer, size_t size) {
        return ::listxattr(path.c_str(), buffer, size);
      }))
    return attributes;
  for (size_t start = 0; start < names.size();) {
    const std::string name = names.c_str() + start;
    start += name.size() + 1;
    std::string value;
    // One removed since the list was read has nothing left to carry over.
    if (!name.empty() &&
        ReadSized("getxattr", path, ENODATA, value, [&](char* buffer, size_t size) {
          return ::getxattr(path.c_str(), name.c_str(), buffer, size);
        }))
      attributes.emplace_back(name, std::move(value));
  }
  return attributes;
}

bool HasAcl(const TAttributes& attributes) {
  for (const auto& [name, value] : attributes) {
    if (name == kAccessAcl) return true;
  }
  return false;
}

}  // namespace

void CopyProtection(int fd, const struct stat& source, const std::string& sourcePath) {
  const TAttributes attributes = ReadAttributes(sourcePath);
  // The folder's default ACL gave the new file an ACL of its own; the file it replaces had none.
  if (!HasAcl(attributes) &&
      Step("removexattr", sourcePath, [&] { return ::fremovexattr(fd, kAccessAcl); }) != 0 &&
      errno != ENODATA && errno != ENOTSUP)
    Fail(TStage::Create, errno);
  struct stat mine {};
  if (Step("fstat", sourcePath, [&] { return ::fstat(fd, &mine); }) != 0)
    Fail(TStage::Create, errno);
  if ((mine.st_uid != source.st_uid || mine.st_gid != source.st_gid) &&
      Step("chown", sourcePath, [&] { return ::fchown(fd, source.st_uid, source.st_gid); }) != 0)
    Fail(TStage::Create, errno);
  // After the owner: a change of owner clears the set-id bits.
  if (Step("chmod", sourcePath, [&] { return ::fchmod(fd, source.st_mode & 07777); }) != 0)
    Fail(TStage::Create, errno);
  for (const auto& attribute : attributes) {
    const std::string& name = attribute.first;
    const auto& value = attribute.second;
    if (Step("setxattr", sourcePath,
             [&] { return ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0); }) != 0)
      Fail(TStage::Create, errno);
  }
}

}  // namespace wdx::posix
