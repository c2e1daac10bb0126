// The provider DLL's module: its handle, and the count of live objects and server locks that
// tells COM whether the DLL may be unloaded.
#pragma once

#include <windows.h>

namespace wdx::iis {

// {B9159CB6-F7D3-43CC-B27F-65EA86519519}: the class of the "IIS" namespace object.
inline constexpr CLSID kNamespaceClsid = {
    0xb9159cb6, 0xf7d3, 0x43cc, {0xb2, 0x7f, 0x65, 0xea, 0x86, 0x51, 0x95, 0x19}};
inline constexpr wchar_t kNamespaceClsidText[] = L"{B9159CB6-F7D3-43CC-B27F-65EA86519519}";
inline constexpr wchar_t kProgId[] = L"Wendrix.IisStandIn";

HMODULE Module();
// Every object and server lock counts while it lives.
void AddModuleReference();
void ReleaseModuleReference();

}  // namespace wdx::iis
