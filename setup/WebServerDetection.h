// Finding an Apache installation in the registry.
#pragma once

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace wdx {

struct TApacheInstallation {
  std::string Version;     // the name of the version's subkey: "2.0.55", "1.3.33"
  std::string ServerRoot;  // its "ServerRoot" value, "" when missing
};

// Looks under HKEY_LOCAL_MACHINE\SOFTWARE\Apache Group\Apache: nullopt when the key does not
// exist or has no subkeys; otherwise the first subkey's name and "ServerRoot" value. Reading that
// value may raise the registry's errors.
std::optional<TApacheInstallation> FindApache(IRegistry& registry);

// Whether the Apache of a version reads the paths in httpd.conf as UTF-8, as Apache 2.0 and later
// do on Windows; 1.3 reads them in the ANSI code page, and so does a version that is no number.
bool ReadsUtf8Paths(const std::string& version);

}  // namespace wdx
