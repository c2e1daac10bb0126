// A list box and a combo box: the system's, whose items and choice the controls keep, brought in
// step once the message loop turns (a language switch changes the items one by one). Choosing an
// item in the window, and typing into an editable combo box, reach the control; the system's own
// keys stay the window's (the list keys and typing ahead, Alt+Down and F4 to drop the list down).
#include <vector>

#include "framework/controls/ListControls.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/Win32Support.h"
#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

namespace {

// The messages a list box and a combo box take for the same work.
struct TListMessages {
  UINT Reset, Add, Count, TextLength, Text, SetChoice;
};
constexpr TListMessages kListBox{LB_RESETCONTENT, LB_ADDSTRING, LB_GETCOUNT,
                                 LB_GETTEXTLEN,   LB_GETTEXT,   LB_SETCURSEL};
constexpr TListMessages kComboBox{CB_RESETCONTENT, CB_ADDSTRING, CB_GETCOUNT,
                                  CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_SETCURSEL};

std::string ItemText(HWND window, const TListMessages& messages, int index) {
  const auto length = SendMessageW(window, messages.TextLength, index, 0);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  SendMessageW(window, messages.Text, index, reinterpret_cast<LPARAM>(text.data()));
  return Utf8(text.c_str());
}

// The window's items become the control's, unless they are already; then its choice.
void MirrorItems(HWND window, const TListMessages& messages, const TStrings& items, int chosen) {
  const int count = items.Count();
  bool same = SendMessageW(window, messages.Count, 0, 0) == count;
  for (int i = 0; same && i < count; ++i) same = ItemText(window, messages, i) == items.Get(i);
  if (!same) {
    SendMessageW(window, messages.Reset, 0, 0);
    for (int i = 0; i < count; ++i) {
      SendMessageW(window, messages.Add, 0, reinterpret_cast<LPARAM>(Wide(items.Get(i)).c_str()));
    }
  }
  SendMessageW(window, messages.SetChoice, static_cast<WPARAM>(chosen), 0);
}

}  // namespace

TWindowKind ListBox() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) {
    plan.Class = WC_LISTBOXW;
    plan.Style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    plan.ExStyle = WS_EX_CLIENTEDGE;
    plan.Text.clear();
  };
  kind.Created = [](TWindowContext&, const TControl& control, HWND window) {
    const auto& list = As<TListBox>(control);
    MirrorItems(window, kListBox, *list.Items(), list.ItemIndex());
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    context.Builder.MoveToDesign(control, window);
    const auto& list = As<TListBox>(control);
    MirrorItems(window, kListBox, *list.Items(), list.ItemIndex());
    MirrorVisible(window, control);
  };
  kind.Command = [](TWindowContext&, TControl& control, HWND window, UINT code) {
    if (code != LBN_SELCHANGE) return;
    auto& list = As<TListBox>(control);
    const auto index = static_cast<int32_t>(SendMessageW(window, LB_GETCURSEL, 0, 0));
    DispatchEvent(&list, [&] { list.Choose(index); });
  };
  kind.SystemColorsWhenDisabled = true;
  kind.MirrorsWhenIdle = true;
  return kind;
}

TWindowKind ComboBox() {
  TWindowKind kind;
  kind.Plan = [](const TControl& control, TWindowPlan& plan) {
    plan.Class = WC_COMBOBOXW;
    plan.Style = WS_VSCROLL | (As<TComboBox>(control).Editable() ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                                 : CBS_DROPDOWNLIST);
    plan.Text.clear();
  };
  // The window's height takes in its list as it drops down.
  kind.Bounds = [](const TWindowMap& windows, const TControl& control) {
    const auto& box = As<TComboBox>(control);
    constexpr int kItemHeight = 13;
    const int32_t left = control.Left();
    const int32_t top = control.Top();
    return windows.Scale()(RECT{left, top, left + control.Width(),
                                top + control.Height() + box.DropDownCount() * kItemHeight + 2});
  };
  kind.Created = [](TWindowContext&, const TControl& control, HWND window) {
    const auto& box = As<TComboBox>(control);
    MirrorItems(window, kComboBox, *box.Items(), box.ItemIndex());
    if (box.Editable()) SetWindowTextW(window, Wide(box.Text()).c_str());
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    context.Builder.MoveToDesign(control, window);
    const auto& box = As<TComboBox>(control);
    MirrorItems(window, kComboBox, *box.Items(), box.ItemIndex());
    if (box.Editable() && WindowText(window) != box.Text()) {
      SetWindowTextW(window, Wide(box.Text()).c_str());
    }
    MirrorVisible(window, control);
  };
  kind.Command = [](TWindowContext&, TControl& control, HWND window, UINT code) {
    auto& box = As<TComboBox>(control);
    if (code == CBN_SELCHANGE) {
      const auto index = static_cast<int32_t>(SendMessageW(window, CB_GETCURSEL, 0, 0));
      DispatchEvent(&box, [&] { box.Choose(index); });
    } else if (code == CBN_EDITCHANGE) {
      const std::string text = WindowText(window);
      DispatchEvent(&box, [&] { box.SetText(text); });
    }
  };
  kind.SystemColorsWhenDisabled = true;
  kind.MirrorsWhenIdle = true;
  return kind;
}

}  // namespace wdx::win32::kinds
