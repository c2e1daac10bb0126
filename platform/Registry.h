// Read access to HKEY_LOCAL_MACHINE, the way the setup program uses it: one current key at a
// time. The Windows build calls the registry, opening each key in the 32-bit view first and in
// the 64-bit view when the 32-bit one lacks it; the POSIX build reads the .reg file that
// WENDRIX_REGISTRY names (an empty registry when it is unset).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/rtl/Exceptions.h"

namespace wdx {

WDX_EXCEPTION(ERegistryException, Exception);

class IRegistry {
 public:
  virtual ~IRegistry() = default;
  // Whether the key exists: it is opened with all access rights and closed again at once.
  virtual bool KeyExists(const std::string& key) = 0;
  // Makes the key the current key, opened for reading; false when it cannot be opened.
  virtual bool OpenKeyReadOnly(const std::string& key) = 0;
  // The names of the current key's direct subkeys, in the order the registry enumerates them.
  virtual std::vector<std::string> GetKeyNames() = 0;
  // A string value of the current key up to its first zero character; a missing value (or no
  // current key) reads as "". Other types raise "Invalid data type for '%s'", a value that
  // cannot be read "Failed to get data for '%s'".
  virtual std::string ReadString(const std::string& name) = 0;
  virtual void CloseKey() = 0;
};

std::unique_ptr<IRegistry> CreateMachineRegistry();

}  // namespace wdx
