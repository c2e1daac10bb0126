// The POSIX build's directory service: the IIS stand-in file that WENDRIX_METABASE names; unset,
// the directory-service library counts as not installed.
#include "platform/DirectoryService.h"

#include <cstdlib>

#include "platform/Files.h"
#include "platform/metabase/MetabaseObjects.h"

namespace wdx {

std::unique_ptr<IDirectoryService> CreateDirectoryService() {
  const char* path = std::getenv("WENDRIX_METABASE");
  if (!path || !*path) return CreateMetabaseService(nullptr);
  return CreateMetabaseService(std::make_shared<TMetabaseFile>(WindowsPath(path), path));
}

}  // namespace wdx
