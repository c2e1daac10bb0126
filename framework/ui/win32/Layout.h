// Where the controls' windows go: the design geometry of the component tree in window terms,
// the order of a parent's windows, the page a page control shows, and a label's own size.
#pragma once

#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

// The page a page control shows: its active page when that page's tab is visible, otherwise the
// first page whose tab is.
TTabSheet* DisplayedPage(const TPageControl& pages);

// A parent's child controls in window order: windowed controls by tab order (which is also the
// dialog manager's order), then the others, which lie beneath them.
std::vector<TControl*> ChildrenInWindowOrder(const TWinControl& parent);

// The control's rectangle in its parent window's client area. A tab sheet fills its tab
// control's display area; a tab sheet's inner border moves its controls inwards.
RECT DesignBounds(const TWindowMap& windows, const TControl& control);

// A label that sizes itself takes its text's extent: its width and height when it does not wrap,
// its height at its width when it does.
void FitLabel(const TWindowMap& windows, TGdiCache& gdi, const TLabel& label);

}  // namespace wdx::win32
