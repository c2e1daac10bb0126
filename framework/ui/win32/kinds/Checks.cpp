// A check box and a radio button: the system's buttons of those styles, whose checks the controls
// keep. A click (or Space) checks or unchecks a check box and checks a radio button; the arrows
// check the next or previous radio button of the group and take the focus there.
#include "framework/controls/CheckBoxes.h"
#include "framework/ui/Choices.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

namespace {

template <class C>
TWindowKind Checkable(DWORD style) {
  TWindowKind kind;
  kind.Plan = [style](const TControl&, TWindowPlan& plan) {
    plan.Class = WC_BUTTONW;
    plan.Style = style;
  };
  kind.Created = [](TWindowContext&, const TControl& control, HWND window) {
    SendMessageW(window, BM_SETCHECK, As<C>(control).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    MirrorPlain(context, control, window);
    SendMessageW(window, BM_SETCHECK, As<C>(control).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  };
  return kind;
}

}  // namespace

TWindowKind CheckBox() {
  TWindowKind kind = Checkable<TCheckBox>(BS_CHECKBOX);
  kind.Command = [](TWindowContext&, TControl& control, HWND, UINT code) {
    auto& box = As<TCheckBox>(control);
    if (code == BN_CLICKED) DispatchEvent(&box, [&] { box.SetChecked(!box.Checked()); });
  };
  return kind;
}

TWindowKind RadioButton() {
  TWindowKind kind = Checkable<TRadioButton>(BS_RADIOBUTTON);
  kind.Command = [](TWindowContext&, TControl& control, HWND, UINT code) {
    auto& button = As<TRadioButton>(control);
    if (code == BN_CLICKED) DispatchEvent(&button, [&] { button.SetChecked(true); });
  };
  kind.Key = [](TWindowContext& context, TControl& control, const MSG& message) {
    const WPARAM key = message.wParam;
    if (key != VK_UP && key != VK_DOWN && key != VK_LEFT && key != VK_RIGHT) return false;
    TRadioButton* next =
        NeighbourRadio(As<TRadioButton>(control), key == VK_UP || key == VK_LEFT ? -1 : 1);
    if (!next) return false;
    DispatchEvent(next, [next] { next->SetChecked(true); });
    if (HWND window = context.Windows.WindowOf(next)) SetFocus(window);
    return true;
  };
  return kind;
}

}  // namespace wdx::win32::kinds
