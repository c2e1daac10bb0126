// The system's group box as a group box and a radio group show it.
#pragma once

#include "framework/ui/win32/WindowKinds.h"

namespace wdx::win32::kinds {

void GroupBoxPlan(TWindowPlan& plan);
// Draws it classic, so that its caption takes the caption's font colour, as the form designs it.
void UnthemedGroupBox(TWindowContext& context, const TControl& control, HWND window);

}  // namespace wdx::win32::kinds
