#include "platform/Registry.h"

#include <windows.h>

#include <vector>

#include "framework/rtl/Format.h"
#include "framework/rtl/WideText.h"

namespace wdx {

namespace {

// Opens a key of HKEY_LOCAL_MACHINE in the 32-bit registry view, where 32-bit installers (Apache's
// among them) write on 64-bit Windows, or in the 64-bit view when the 32-bit one has no such key.
LSTATUS OpenMachineKey(const std::string& key, REGSAM access, HKEY* handle) {
  LSTATUS status =
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(key).c_str(), 0, access | KEY_WOW64_32KEY, handle);
  if (status == ERROR_FILE_NOT_FOUND) {
    status =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(key).c_str(), 0, access | KEY_WOW64_64KEY, handle);
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
      wchar_t name[256];
      DWORD length = 256;
      if (RegEnumKeyExW(current_, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      names.push_back(Utf8(std::wstring_view(name, length)));
    }
    return names;
  }

  std::string ReadString(const std::string& name) override {
    if (!current_) return {};
    DWORD type = 0;
    DWORD size = 0;
    const std::wstring value = Wide(name);
    LONG result = RegQueryValueExW(current_, value.c_str(), nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND) return {};
    if (result != ERROR_SUCCESS) Fail("Failed to get data for '%s'", name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) Fail("Invalid data type for '%s'", name);
    // The size counts bytes; a value stored without its closing zero gets one here.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    result = RegQueryValueExW(current_, value.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result != ERROR_SUCCESS) Fail("Failed to get data for '%s'", name);
    return Utf8(data.data());  // up to the first zero character
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
