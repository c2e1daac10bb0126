// What a replacement keeps of the file it replaces: owner, group, permission bits, and every
// extended attribute (the ACL among them).
#pragma once

#include <sys/stat.h>

#include <string>

namespace wdx::posix {

// Gives the open file `fd` the owner, group and mode of `source` and exactly the extended
// attributes of the file at `sourcePath`; throws a failure of the create stage when one cannot
// be read or given.
void CopyProtection(int fd, const struct stat& source, const std::string& sourcePath);

}  // namespace wdx::posix
