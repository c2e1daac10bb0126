#include "platform/files/TempNames.h"

#include <cstdlib>

namespace wdx::filelayer {

std::string TempPrefix(const std::string& filePath, unsigned long processId) {
  return filePath + kTempMarker + std::to_string(processId) + "-";
}

unsigned long TempOwner(const std::string& name, const std::string& fileName) {
  const std::string prefix = fileName + kTempMarker;
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return 0;
  const char* digits = name.c_str() + prefix.size();
  char* end = nullptr;
  const unsigned long pid = std::strtoul(digits, &end, 10);
  return end != digits && *end == '-' ? pid : 0;
}

}  // namespace wdx::filelayer
