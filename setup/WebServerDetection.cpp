#include "setup/WebServerDetection.h"

namespace wdx {

namespace {

const char* const kApacheKey = "SOFTWARE\\Apache Group\\Apache";

// Closes the registry's current key however the reading ends.
struct CurrentKey {
  IRegistry& registry;
  ~CurrentKey() { registry.CloseKey(); }
};

}  // namespace

bool FindApacheServerRoot(IRegistry& registry, std::string& serverRoot) {
  if (!registry.KeyExists(kApacheKey)) return false;
  std::vector<std::string> versions;
  {
    CurrentKey key{registry};
    registry.OpenKeyReadOnly(kApacheKey);
    versions = registry.GetKeyNames();
  }
  if (versions.empty()) return false;
  CurrentKey key{registry};
  registry.OpenKeyReadOnly(std::string(kApacheKey) + "\\" + versions.front());
  serverRoot = registry.ReadString("ServerRoot");
  return true;
}

}  // namespace wdx
