// A memo: the system's edit of several lines, its text the memo's lines with line breaks between
// them, brought in step once the message loop turns. Enter breaks a line; Escape still presses
// the cancel button, which the system's edit would take for itself.
#include "framework/controls/Memo.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/Win32Support.h"
#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

TWindowKind Memo() {
  TWindowKind kind;
  kind.Plan = [](const TControl& control, TWindowPlan& plan) {
    const auto& memo = As<TMemo>(control);
    const TScrollStyle bars = memo.ScrollBars();
    plan.Class = WC_EDITW;
    plan.Style = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                 (memo.ReadOnly() ? ES_READONLY : 0) |
                 (bars == ssVertical || bars == ssBoth ? WS_VSCROLL : 0) |
                 (bars == ssHorizontal || bars == ssBoth ? WS_HSCROLL : 0) |
                 (memo.WordWrap() ? 0 : ES_AUTOHSCROLL);
    plan.ExStyle = WS_EX_CLIENTEDGE;
    plan.Text = memo.Text();
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    const auto& memo = As<TMemo>(control);
    const std::string text = memo.Text();
    if (WindowText(window) != text) SetWindowTextW(window, Wide(text).c_str());
    context.Builder.MoveToDesign(control, window);
    SendMessageW(window, EM_SETREADONLY, memo.ReadOnly(), 0);
    MirrorVisible(window, control);
  };
  kind.Command = [](TWindowContext&, TControl& control, HWND window, UINT code) {
    if (code != EN_CHANGE) return;
    auto& memo = As<TMemo>(control);
    const std::string text = WindowText(window);
    DispatchEvent(&memo, [&] { memo.SetText(text); });
  };
  kind.Key = [](TWindowContext& context, TControl&, const MSG& message) {
    if (message.wParam != VK_ESCAPE) return false;
    SendMessageW(context.Windows.FormWindow(), WM_COMMAND, IDCANCEL, 0);
    return true;
  };
  kind.SystemColorsWhenDisabled = true;
  kind.MirrorsWhenIdle = true;
  return kind;
}

}  // namespace wdx::win32::kinds
