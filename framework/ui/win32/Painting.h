// What the front-end paints that the system's controls do not: backgrounds in the controls'
// colours, a panel's bevels and caption, and the colours that static and edit controls ask
// their parent for.
#pragma once

#include "framework/controls/ExtCtrls.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

// Fills the window's client area with the colour; the answer to WM_ERASEBKGND.
LRESULT FillBackground(TGdiCache& gdi, HWND window, HDC dc, TColor color);

void PaintPanel(TGdiCache& gdi, HWND window, HDC dc, const TPanel& panel);

// Answers WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT and WM_CTLCOLORBTN for a window of one of the
// controls: sets the text and background colours and gives the brush in `result`. False for
// other windows and for disabled edits, which keep the system's colours.
bool ControlColors(TGdiCache& gdi, const TWindowMap& windows, UINT message, HDC dc, HWND window,
                   LRESULT& result);

}  // namespace wdx::win32
