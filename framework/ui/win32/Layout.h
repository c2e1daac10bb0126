// Where the controls' windows go: the design geometry of the component tree in window terms, at
// the windows' scale, and a label's own size.
#pragma once

#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

// The control's rectangle in its parent window's client area: its kind's (a tab sheet fills its
// tab control's display area), else the design's, moved inwards by its parent's inner border (a
// tab sheet's).
RECT DesignBounds(const TWindowMap& windows, const TControl& control);

// A label that sizes itself takes its text's extent: its width and height when it does not wrap,
// its height at its width when it does.
void FitLabel(const TWindowMap& windows, TGdiCache& gdi, const TLabel& label);

// The font the control's window draws its text in: for its caption, or the text its kind names
// (a page control's tabs').
HFONT ControlFont(TGdiCache& gdi, const TControl& control);

}  // namespace wdx::win32
