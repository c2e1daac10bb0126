#include "framework/ui/win32/Painting.h"
#include "framework/ui/win32/Win32Support.h"

#include "framework/ui/win32/WindowKinds.h"

namespace wdx::win32 {

LRESULT FillBackground(TGdiCache& gdi, HWND window, HDC dc, TColor color) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, gdi.BrushOf(color));
  return 1;
}

void PaintPanel(TGdiCache& gdi, HWND window, HDC dc, const TPanel& panel) {
  RECT rect;
  GetClientRect(window, &rect);
  auto bevel = [&](TBevelCut cut, UINT lowered, UINT raised) {
    if (cut == bvLowered) DrawEdge(dc, &rect, lowered, BF_RECT | BF_ADJUST);
    if (cut == bvRaised) DrawEdge(dc, &rect, raised, BF_RECT | BF_ADJUST);
    if (cut == bvSpace) InflateRect(&rect, -1, -1);
  };
  bevel(panel.BevelOuter(), BDR_SUNKENOUTER, BDR_RAISEDOUTER);
  bevel(panel.BevelInner(), BDR_SUNKENINNER, BDR_RAISEDINNER);
  if (panel.Caption().empty()) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorRefOf(panel.EffectiveFont().Color));
  HGDIOBJ old = SelectObject(dc, gdi.FontOf(panel.EffectiveFont(), panel.Caption()));
  DrawTextW(dc, Wide(panel.Caption()).c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

bool ControlColors(TGdiCache& gdi, const TWindowMap& windows, UINT message, HDC dc, HWND window,
                   LRESULT& result) {
  TControl* control = windows.ControlOf(window);
  if (!control) return false;
  const TWindowKind* kind = WindowKinds().Find(*control);
  if (kind && kind->SystemColorsWhenDisabled && !IsWindowEnabled(window)) return false;
  TColor background = control->EffectiveColor();
  if (kind && kind->Transparent && kind->Transparent(*control)) {
    SetBkMode(dc, TRANSPARENT);
    if (control->Parent()) background = control->Parent()->EffectiveColor();
  } else {
    SetBkColor(dc, ColorRefOf(background));
  }
  if (message != WM_CTLCOLORBTN) SetTextColor(dc, ColorRefOf(control->EffectiveFont().Color));
  result = reinterpret_cast<LRESULT>(gdi.BrushOf(background));
  return true;
}

}  // namespace wdx::win32
