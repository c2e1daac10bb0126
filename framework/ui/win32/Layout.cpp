#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/Win32Support.h"

#include <algorithm>
#include <string>

#include "framework/ui/win32/WindowKinds.h"

namespace wdx::win32 {

RECT DesignBounds(const TWindowMap& windows, const TControl& control) {
  const TWindowKind* kind = WindowKinds().Find(control);
  if (kind && kind->Bounds) return kind->Bounds(windows, control);
  int32_t inset = 0;
  if (const TWinControl* parent = control.Parent()) {
    const TWindowKind* outer = WindowKinds().Find(*parent);
    if (outer && outer->ClientInset) inset = outer->ClientInset(*parent);
  }
  const int32_t left = control.Left() + inset;
  const int32_t top = control.Top() + inset;
  return windows.Scale()(RECT{left, top, left + control.Width(), top + control.Height()});
}

void FitLabel(const TWindowMap& windows, TGdiCache& gdi, const TLabel& label) {
  HWND window = windows.WindowOf(&label);
  if (!window || !label.AutoSize()) return;
  const RECT bounds = DesignBounds(windows, label);
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, gdi.FontOf(label.EffectiveFont(), label.Caption()));
  const int designWidth = bounds.right - bounds.left;
  const std::string text = label.Caption().empty() ? " " : label.Caption();
  auto measure = [&](UINT format) {
    RECT extent{0, 0, designWidth, 0};
    const std::wstring wide = Wide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &extent,
              DT_CALCRECT | DT_EXPANDTABS | format);
    return extent;
  };
  RECT extent = measure(0);
  int width = extent.right;
  if (label.WordWrap()) {
    // The design width fits the text in the designer's font; where this system's font makes a
    // one-line text a little wider, the line stays whole rather than losing its last word to a
    // second line.
    if (text.find_first_of("\r\n") != std::string::npos || width > designWidth + designWidth / 10) {
      extent = measure(DT_WORDBREAK);
      width = designWidth;
    } else {
      width = std::max(width, designWidth);
    }
  }
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  SetWindowPos(window, nullptr, 0, 0, width, extent.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT ControlFont(TGdiCache& gdi, const TControl& control) {
  const TWindowKind* kind = WindowKinds().Find(control);
  return gdi.FontOf(control.EffectiveFont(),
                    kind && kind->FontText ? kind->FontText(control) : control.Caption());
}

}  // namespace wdx::win32
