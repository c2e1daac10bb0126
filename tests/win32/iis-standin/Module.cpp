#include "tests/win32/iis-standin/Module.h"

#include "tests/win32/iis-standin/Namespace.h"

namespace wdx::iis {

namespace {

HMODULE g_module = nullptr;
LONG g_references = 0;

}  // namespace

HMODULE Module() {
  return g_module;
}

void AddModuleReference() {
  InterlockedIncrement(&g_references);
}

void ReleaseModuleReference() {
  InterlockedDecrement(&g_references);
}

}  // namespace wdx::iis

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    wdx::iis::g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
  return wdx::iis::g_references == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, wdx::iis::kNamespaceClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return wdx::iis::GetNamespaceFactory(iid, object);
}
