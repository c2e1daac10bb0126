// regsvr32's entry points: the namespace class, its ProgID and the provider key through which
// the directory-service library finds the "IIS" namespace.
#include <windows.h>
// After windows.h, which it needs.
#include <olectl.h>

#include <string>

#include "tests/win32/iis-standin/Module.h"

namespace wdx::iis {

namespace {

const std::wstring kClassKey = std::wstring(L"SOFTWARE\\Classes\\CLSID\\") + kNamespaceClsidText;
const std::wstring kProgIdKey = std::wstring(L"SOFTWARE\\Classes\\") + kProgId;
const wchar_t kProviderKey[] = L"SOFTWARE\\Microsoft\\ADs\\Providers\\IIS";
const wchar_t kDescription[] = L"Wendrix IIS stand-in (tests only)";

// Creates the key under HKEY_LOCAL_MACHINE and sets one string value ("" for the default).
LSTATUS SetString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status;
}

// The default value of a key under HKEY_LOCAL_MACHINE, or "" when there is none.
std::wstring DefaultValue(const wchar_t* key) {
  wchar_t buffer[256] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return buffer;
}

LSTATUS DeleteTree(const std::wstring& key) {
  const LSTATUS status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

}  // namespace wdx::iis

using namespace wdx::iis;

extern "C" HRESULT WINAPI DllRegisterServer() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(Module(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;
  struct Entry {
    std::wstring Key;
    const wchar_t* Name;
    std::wstring Value;
  };
  const Entry entries[] = {
      {kClassKey, nullptr, kDescription},
      {kClassKey + L"\\InprocServer32", nullptr, path},
      {kClassKey + L"\\InprocServer32", L"ThreadingModel", L"Both"},
      {kClassKey + L"\\ProgID", nullptr, kProgId},
      {kProgIdKey, nullptr, kDescription},
      {kProgIdKey + L"\\CLSID", nullptr, kNamespaceClsidText},
      {kProviderKey, nullptr, kProgId},
  };
  for (const Entry& entry : entries) {
    const LSTATUS status = SetString(entry.Key, entry.Name, entry.Value);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  }
  return S_OK;
}

// Removes what registration wrote; a provider key that names another ProgID is not ours.
extern "C" HRESULT WINAPI DllUnregisterServer() {
  LSTATUS status = ERROR_SUCCESS;
  if (DefaultValue(kProviderKey) == kProgId) status = DeleteTree(kProviderKey);
  for (const std::wstring& key : {kProgIdKey, kClassKey}) {
    const LSTATUS removed = DeleteTree(key);
    if (status == ERROR_SUCCESS) status = removed;
  }
  return HRESULT_FROM_WIN32(status);
}
