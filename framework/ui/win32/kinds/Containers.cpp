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

void GroupBoxSpec(TWindowSpec& spec) {
  spec.Class = WC_BUTTONW;
  spec.Style = BS_GROUPBOX | WS_CLIPCHILDREN;
  spec.ExStyle = WS_EX_CONTROLPARENT;
  spec.Forwards = true;
}

void UnthemedGroupBox(TWindowContext&, const TControl&, HWND window) {
  // A themed group box draws its caption in the theme's colour.
  SetWindowTheme(window, L" ", L" ");
}

TWindowKind GroupBox() {
  TWindowKind kind;
  kind.Spec = [](const TControl&, TWindowSpec& spec) { GroupBoxSpec(spec); };
  kind.Created = UnthemedGroupBox;
  kind.Mirror = MirrorPlain;
  kind.FillsBackground = true;
  return kind;
}

TWindowKind Panel() {
  TWindowKind kind;
  kind.Spec = [](const TControl&, TWindowSpec& spec) {
    spec.Style = WS_CLIPCHILDREN;
    spec.ExStyle = WS_EX_CONTROLPARENT;
  };
  kind.Mirror = MirrorPlain;
  kind.Paint = [](TWindowContext& context, const TControl& control, HWND window, HDC dc) {
    PaintPanel(context.Gdi, window, dc, As<TPanel>(control));
  };
  return kind;
}

}  // namespace wdx::win32::kinds
