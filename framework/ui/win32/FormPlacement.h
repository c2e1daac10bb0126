// Where a form's window goes on the screen and how large it is, at the windows' scale.
#pragma once

#include "framework/controls/Form.h"
#include "framework/ui/win32/DisplayScale.h"

namespace wdx::win32 {

// The window styles of a form's border style and border icons.
void FormStyles(const TCustomForm& form, DWORD& style, DWORD& exStyle);

// The monitor a form placed as designed stands on (the nearest one to its design rectangle).
HMONITOR FormMonitor(const TCustomForm& form);

// The outer size of the form's window: its client area scaled, with the frame at the scale's DPI.
SIZE FormWindowSize(const TCustomForm& form, const TDisplayScale& scale);

// The DPI to lay the form out at on a monitor of `dpi`: `dpi` when its window fits the work area
// of the monitor it stands on, else the largest smaller one at which it does (down to 48), so that
// every control stays on the screen.
int FittingDpi(const TCustomForm& form, int dpi);

// The form's window rectangle on the screen. A form placed as designed keeps its design position
// when the whole window lies within the work area of its monitor, and is otherwise moved (not
// resized) just far enough to; a centred form is centred in that work area; any other stays where
// the system puts it (CW_USEDEFAULT).
RECT FormWindowRect(const TCustomForm& form, const TDisplayScale& scale);

// Makes the window's client area the form's, scaled: where the system draws the frame at another
// DPI than the one the window's size was reckoned at (per-monitor awareness of the first kind),
// the frame's difference is made up.
void FitClientArea(HWND window, const TCustomForm& form, const TDisplayScale& scale);

// `window` moved as little as possible to lie within `area`; a window larger than the area keeps
// its top left corner in it.
RECT MovedInto(const RECT& window, const RECT& area);

}  // namespace wdx::win32
