// The temporary file of a replacement, in the folder of the file it replaces: unnamed (O_TMPFILE)
// where the system can link such a file into place, else under a recognisable name from the
// start. Temporary files that a killed run left are removed by the next one.
#pragma once

#include <sys/types.h>

#include <string>

#include "platform/posix/files/Descriptor.h"

namespace wdx::posix {

// Closed, and unlinked while it has a name, when the replacement ends without publishing it.
struct TTempFile {
  TFd Fd;
  std::string Name;  // its path while it has one
  ~TTempFile();
};

// The start of this process's temporary names for the file `name` in `folder`.
std::string TempPrefix(const std::string& folder, const std::string& name);

// Removes the temporary files of `name` in `folder` whose process has ended.
void RemoveStaleTemps(const std::string& folder, const std::string& name);

// Creates the temporary file for the file `name` in `folder` with `mode`, less what the umask
// takes away (or as the folder's default ACL says), as the system creates any new file.
void CreateTemp(TTempFile& temp, const std::string& folder, const std::string& name, mode_t mode);

// Gives the unnamed file a name in its folder: `to` itself when that is `target`, a new file
// (false when someone created it meanwhile), else the first free name `to` + <n>.
bool LinkUnnamed(TTempFile& temp, const std::string& to, const std::string& target);

}  // namespace wdx::posix
