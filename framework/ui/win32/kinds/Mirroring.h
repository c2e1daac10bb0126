// Steps that many kinds take to bring a window in step with its control.
#pragma once

#include "framework/ui/win32/WindowKinds.h"

namespace wdx::win32::kinds {

// The window shows the control's caption.
void MirrorCaption(HWND window, const TControl& control);
// The window is shown while the control is visible.
void MirrorVisible(HWND window, const TControl& control);
// Caption, design place and visibility: all a plain control's window follows.
void MirrorPlain(TWindowContext& context, const TControl& control, HWND window);

}  // namespace wdx::win32::kinds
