#include "platform/Registry.h"

#include <windows.h>

#include <vector>

#include "framework/rtl/Format.h"

namespace wdx {

namespace {

// Opens a key of HKEY_LOCAL_MACHINE in the 32-bit registry view, where 32-bit installers (Apache's
// among them) write on 64-bit Windows, or in the 64-bit view when the 32-bit one has no such key.
LSTATUS OpenMachineKey(const std::string& key, REGSAM access, HKEY* handle) {
  LSTATUS status =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, access | KEY_WOW64_32KEY, handle);
  if (status == ERROR_FILE_NOT_FOUND) {
    status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, access | KEY_WOW64_64KEY, handle);
  }
  return status;
}

class MachineRegistry : public IRegistry {
 public:
  ~MachineRegistry() override { CloseKey(); }

  bool KeyExists(const std::string& key) override {
    HKEY handle = nullptr;
    if (OpenMachineKey(key, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
  }

  bool OpenKeyReadOnly(const std::string& key) override {
    CloseKey();
    return OpenMachineKey(key, KEY_READ, &current_) == ERROR_SUCCESS;
  }

  std::vector<std::string> GetKeyNames() override {
    std::vector<std::string> names;
    if (!current_) return names;
    for (DWORD index = 0;; ++index) {
      char name[256];
      DWORD length = sizeof name;
      if (RegEnumKeyExA(current_, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      names.emplace_back(name, length);
    }
    return names;
  }

  std::string ReadString(const std::string& name) override {
    if (!current_) return {};
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND) return {};
    if (result != ERROR_SUCCESS) Fail("Failed to get data for '%s'", name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) Fail("Invalid data type for '%s'", name);
    std::vector<char> data(size + 1, '\0');
    result = RegQueryValueExA(current_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result != ERROR_SUCCESS) Fail("Failed to get data for '%s'", name);
    return std::string(data.data());  // up to the first zero character
  }

  void CloseKey() override {
    if (current_) RegCloseKey(current_);
    current_ = nullptr;
  }

 private:
  [[noreturn]] static void Fail(const char* format, const std::string& name) {
    throw ERegistryException(Format(format, name.c_str()));
  }

  HKEY current_ = nullptr;
};

}  // namespace

std::unique_ptr<IRegistry> CreateMachineRegistry() {
  return std::make_unique<MachineRegistry>();
}

}  // namespace wdx
