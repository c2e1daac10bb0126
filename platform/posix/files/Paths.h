// Native paths as the POSIX file layer takes them apart: folder, name, and the file behind links.
#pragma once

#include <string>

#include "platform/posix/files/SystemStep.h"

namespace wdx::posix {

std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

// The path of the file that `path` names once every link is followed (the path itself when it
// is no link; a dangling link gives the missing file it points at).
std::string ResolveLinks(const std::string& path, TStage stage);

}  // namespace wdx::posix
