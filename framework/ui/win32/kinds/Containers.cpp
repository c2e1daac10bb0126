// Containers: a group box (the system's, drawn classic so that its caption takes its font's
// colour) and a panel (the front-end's own window, painted with its bevels and caption).
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/Painting.h"
#include "framework/ui/win32/kinds/GroupBoxWindow.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <uxtheme.h>

namespace wdx::win32::kinds {

void GroupBoxPlan(TWindowPlan& plan) {
  plan.Class = WC_BUTTONW;
  plan.Style = BS_GROUPBOX | WS_CLIPCHILDREN;
  plan.ExStyle = WS_EX_CONTROLPARENT;
  plan.Forwards = true;
}

void UnthemedGroupBox(TWindowContext&, const TControl&, HWND window) {
  // A themed group box draws its caption in the theme's colour.
  SetWindowTheme(window, L" ", L" ");
}

TWindowKind GroupBox() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) { GroupBoxPlan(plan); };
  kind.Created = UnthemedGroupBox;
  kind.Mirror = MirrorPlain;
  kind.FillsBackground = true;
  return kind;
}

TWindowKind Panel() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) {
    plan.Style = WS_CLIPCHILDREN;
    plan.ExStyle = WS_EX_CONTROLPARENT;
  };
  kind.Mirror = MirrorPlain;
  kind.Paint = [](TWindowContext& context, const TControl& control, HWND window, HDC dc) {
    PaintPanel(context.Gdi, window, dc, As<TPanel>(control));
  };
  return kind;
}

}  // namespace wdx::win32::kinds
