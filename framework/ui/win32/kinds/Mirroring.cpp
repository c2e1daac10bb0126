#include "framework/ui/win32/kinds/Mirroring.h"

#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/Win32Support.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32::kinds {

void MirrorCaption(HWND window, const TControl& control) {
  if (WindowText(window) != control.Caption())
    SetWindowTextW(window, Wide(control.Caption()).c_str());
}

void MirrorVisible(HWND window, const TControl& control) {
  const bool shown = control.Visible();
  if (((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0) != shown) {
    ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
  }
}

void MirrorPlain(TWindowContext& context, const TControl& control, HWND window) {
  MirrorCaption(window, control);
  context.Builder.MoveToDesign(control, window);
  MirrorVisible(window, control);
}

}  // namespace wdx::win32::kinds
