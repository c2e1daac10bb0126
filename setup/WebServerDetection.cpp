#include "setup/WebServerDetection.h"

#include <cctype>

namespace wdx {

namespace {

const char* const kApacheKey = "SOFTWARE\\Apache Group\\Apache";

// Closes the registry's current key however the reading ends.
struct CurrentKey {
  IRegistry& registry;
  ~CurrentKey() { registry.CloseKey(); }
};

}  // namespace

std::optional<TApacheInstallation> FindApache(IRegistry& registry) {
  if (!registry.KeyExists(kApacheKey)) return std::nullopt;
  std::vector<std::string> versions;
  {
    CurrentKey key{registry};
    registry.OpenKeyReadOnly(kApacheKey);
    versions = registry.GetKeyNames();
  }
  if (versions.empty()) return std::nullopt;
  CurrentKey key{registry};
  registry.OpenKeyReadOnly(std::string(kApacheKey) + "\\" + versions.front());
  return TApacheInstallation{versions.front(), registry.ReadString("ServerRoot")};
}

bool ReadsUtf8Paths(const std::string& version) {
  int major = 0;
  size_t at = 0;
  while (at < version.size() && at < 4 && std::isdigit(static_cast<unsigned char>(version[at]))) {
    major = major * 10 + (version[at++] - '0');
  }
  return at > 0 && major >= 2;
}

}  // namespace wdx
