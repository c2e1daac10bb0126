// The "IIS" namespace object that the directory-service library creates for a path of the
// namespace, and its class factory.
#pragma once

#include <windows.h>

namespace wdx::iis {

// DllGetClassObject's answer for the namespace class.
HRESULT GetNamespaceFactory(REFIID iid, void** object);

}  // namespace wdx::iis
