#include "setup/RunMode.h"

namespace wdx {

TRunMode ParseRunMode(const std::string& firstArgument) {
  if (firstArgument == "0") return rmSetup;
  if (firstArgument == "1") return rmRemove;
  return rmClose;
}

std::string InstallDirOf(const std::string& programPath) {
  const size_t cut = programPath.find_last_of("\\:");
  std::string folder = cut == std::string::npos ? "" : programPath.substr(0, cut + 1);
  if (!folder.empty()) folder.pop_back();
  return folder;
}

}  // namespace wdx
