// Finding an Apache installation in the registry.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace wdx {

// Looks under HKEY_LOCAL_MACHINE\SOFTWARE\Apache Group\Apache: false when the key does not
// exist or has no subkeys; otherwise true with the "ServerRoot" value of its first subkey (""
// when missing). Reading that value may raise the registry's errors.
bool FindApacheServerRoot(IRegistry& registry, std::string& serverRoot);

}  // namespace wdx
