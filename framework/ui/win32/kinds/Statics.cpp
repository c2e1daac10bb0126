// Controls that only show something: a label (a static text sized to fit it when it sizes
// itself), an image (a static icon).
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

namespace wdx::win32::kinds {

TWindowKind Label() {
  TWindowKind kind;
  kind.Plan = [](const TControl& control, TWindowPlan& plan) {
    plan.Class = WC_STATICW;
    plan.Style = As<TLabel>(control).WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP;
  };
  kind.Created = [](TWindowContext& context, const TControl& control, HWND) {
    FitLabel(context.Windows, context.Gdi, As<TLabel>(control));
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    const auto& label = As<TLabel>(control);
    MirrorCaption(window, control);
    context.Builder.MoveToDesign(control, window);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) & ~LONG_PTR{SS_TYPEMASK};
    SetWindowLongPtrW(window, GWL_STYLE, style | (label.WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP));
    FitLabel(context.Windows, context.Gdi, label);
    MirrorVisible(window, control);
  };
  kind.Transparent = [](const TControl& control) { return As<TLabel>(control).Transparent(); };
  return kind;
}

TWindowKind Image() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) {
    plan.Class = WC_STATICW;
    plan.Style = SS_ICON;
    plan.Text.clear();
  };
  kind.Created = [](TWindowContext& context, const TControl& control, HWND) {
    context.Builder.ApplyPicture(As<TImage>(control));
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    context.Builder.MoveToDesign(control, window);
    context.Builder.ApplyPicture(As<TImage>(control));
    MirrorVisible(window, control);
  };
  return kind;
}

}  // namespace wdx::win32::kinds
