// Late-bound automation references: an IDispatch wrapped as an IAutomationObject whose calls
// resolve names on the object at each call.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oaidl.h>

#include <memory>

#include "platform/DirectoryService.h"

namespace wdx {

// Wraps `dispatch`, taking over the caller's reference: the wrapper releases it when destroyed.
// Returns nullptr for a null reference.
std::unique_ptr<IAutomationObject> WrapDispatch(IDispatch* dispatch);

}  // namespace wdx
