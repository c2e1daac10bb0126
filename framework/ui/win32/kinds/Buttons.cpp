// A push button: the system's button, the default one drawn so; a click presses it, and so does
// Enter while it has the focus.
#include "framework/controls/StdCtrls.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

TWindowKind Button() {
  TWindowKind kind;
  kind.Plan = [](const TControl& control, TWindowPlan& plan) {
    plan.Class = WC_BUTTONW;
    plan.Style = As<TButton>(control).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    MirrorPlain(context, control, window);
    SendMessageW(window, BM_SETSTYLE,
                 As<TButton>(control).Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  };
  kind.Command = [](TWindowContext&, TControl& control, HWND, UINT code) {
    auto& button = As<TButton>(control);
    if (code == BN_CLICKED) DispatchEvent(&button, [&] { button.Click(); });
  };
  kind.PressesOnEnter = true;
  return kind;
}

}  // namespace wdx::win32::kinds
