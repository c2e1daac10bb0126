// A one-line edit: the system's edit, its text taken as the user types it (as UTF-8, whatever is
// typed); focused, its whole text is selected.
#include "framework/controls/StdCtrls.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

TWindowKind Edit() {
  TWindowKind kind;
  kind.Plan = [](const TControl& control, TWindowPlan& plan) {
    plan.Class = WC_EDITW;
    plan.Style = ES_AUTOHSCROLL | (As<TEdit>(control).ReadOnly() ? ES_READONLY : 0);
    plan.ExStyle = WS_EX_CLIENTEDGE;
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    MirrorPlain(context, control, window);
    SendMessageW(window, EM_SETREADONLY, As<TEdit>(control).ReadOnly(), 0);
  };
  kind.Command = [](TWindowContext&, TControl& control, HWND window, UINT code) {
    if (code != EN_CHANGE) return;
    auto& edit = As<TEdit>(control);
    const std::string text = WindowText(window);
    DispatchEvent(&edit, [&] { edit.SetText(text); });
  };
  kind.Focused = [](HWND window) { SendMessageW(window, EM_SETSEL, 0, -1); };
  kind.SystemColorsWhenDisabled = true;
  return kind;
}

}  // namespace wdx::win32::kinds
