// A radio group: the system's group box with a radio button window per item, laid out in its
// columns as the design's would be (the item windows belong to the group's control). A click
// chooses the item; focused, the chosen item's button has the focus and the arrows choose the
// next or previous item, going round.
#include <algorithm>
#include <vector>

#include "framework/controls/RadioGroup.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/Win32Support.h"
#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/kinds/GroupBoxWindow.h"
#include "framework/ui/win32/kinds/Mirroring.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

namespace {

// The height of a line of the dialog's font at design size, which the caption takes at the top.
constexpr int kTextHeight = 13;

// The item windows, in item order (each knows its number).
std::vector<HWND> ItemWindows(HWND group) {
  std::vector<HWND> items;
  for (HWND child = GetWindow(group, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const auto index = static_cast<size_t>(GetWindowLongPtrW(child, GWLP_USERDATA));
    if (items.size() <= index) items.resize(index + 1, nullptr);
    items[index] = child;
  }
  return items;
}

// Where item `index` stands in the group's client area, at the windows' scale.
RECT ItemBounds(const TWindowContext& context, const TRadioGroup& group, int index) {
  const int count = group.Items()->Count();
  const int columns = std::max(group.Columns(), 1);
  const int perColumn = std::max((count + columns - 1) / columns, 1);
  const int room = std::max(group.Height() - kTextHeight - 5, 0);
  const int itemHeight = room / perColumn;
  const int itemWidth = std::max((group.Width() - 10) / columns, 1);
  const int left = 8 + (index / perColumn) * itemWidth;
  const int top = kTextHeight + 1 + (room % perColumn) / 2 + (index % perColumn) * itemHeight;
  return context.Windows.Scale()(RECT{left, top, left + itemWidth, top + itemHeight});
}

// Makes the item windows anew when their number changed, and gives each its text, place, check,
// font and state.
void MirrorItems(TWindowContext& context, const TRadioGroup& group, HWND window) {
  const int count = group.Items()->Count();
  std::vector<HWND> items = ItemWindows(window);
  if (static_cast<int>(items.size()) != count) {
    for (HWND item : items) DestroyWindow(item);
    items.clear();
    for (int i = 0; i < count; ++i) {
      HWND item = CreateWindowExW(0, WC_BUTTONW, L"", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 0, 0,
                                  0, 0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
      SetWindowLongPtrW(item, GWLP_USERDATA, i);
      items.push_back(item);
    }
  }
  const HFONT font = ControlFont(context.Gdi, group);
  for (int i = 0; i < count; ++i) {
    HWND item = items[static_cast<size_t>(i)];
    if (!item) continue;
    const std::string text = group.Items()->Get(i);
    if (WindowText(item) != text) SetWindowTextW(item, Wide(text).c_str());
    const RECT bounds = ItemBounds(context, group, i);
    SetWindowPos(item, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(item, BM_SETCHECK, i == group.ItemIndex() ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EnableWindow(item, group.Enabled());
  }
}

}  // namespace

TWindowKind RadioGroup() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) { GroupBoxPlan(plan); };
  kind.Created = [](TWindowContext& context, const TControl& control, HWND window) {
    UnthemedGroupBox(context, control, window);
    MirrorItems(context, As<TRadioGroup>(control), window);
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    MirrorPlain(context, control, window);
    MirrorItems(context, As<TRadioGroup>(control), window);
  };
  kind.Command = [](TWindowContext&, TControl& control, HWND from, UINT code) {
    auto& group = As<TRadioGroup>(control);
    const auto index = static_cast<int32_t>(GetWindowLongPtrW(from, GWLP_USERDATA));
    if (code == BN_CLICKED && GetParent(from) != nullptr) {
      DispatchEvent(&group, [&] { group.SetItemIndex(index); });
    }
  };
  kind.FocusWindow = [](const TWindowContext& context, const TControl& control) {
    const auto& group = As<TRadioGroup>(control);
    HWND window = context.Windows.WindowOf(&control);
    const std::vector<HWND> items = window ? ItemWindows(window) : std::vector<HWND>();
    const auto at = static_cast<size_t>(std::max(group.ItemIndex(), 0));
    return at < items.size() ? items[at] : window;
  };
  kind.Key = [](TWindowContext& context, TControl& control, const MSG& message) {
    const WPARAM key = message.wParam;
    auto& group = As<TRadioGroup>(control);
    const int count = group.Items()->Count();
    if ((key != VK_UP && key != VK_DOWN && key != VK_LEFT && key != VK_RIGHT) || count == 0) {
      return false;
    }
    const int step = key == VK_UP || key == VK_LEFT ? -1 : 1;
    const int index = ((std::max(group.ItemIndex(), 0) + step) % count + count) % count;
    DispatchEvent(&group, [&] { group.SetItemIndex(index); });
    HWND window = context.Windows.WindowOf(&control);
    const std::vector<HWND> items = window ? ItemWindows(window) : std::vector<HWND>();
    if (static_cast<size_t>(index) < items.size()) SetFocus(items[static_cast<size_t>(index)]);
    return true;
  };
  kind.FillsBackground = true;
  return kind;
}

}  // namespace wdx::win32::kinds
