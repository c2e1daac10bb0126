#include "framework/ui/win32/KeyboardNavigation.h"

#include <algorithm>

#include "framework/ui/win32/Layout.h"

namespace wdx::win32 {

bool TKeyboardNavigation::PreTranslate(const MSG& message) {
  return HandleTabKey(message) || HandleReturnKey(message);
}

void TKeyboardNavigation::FocusFirst() {
  std::vector<HWND> stops;
  CollectTabStops(form_, stops);
  if (!stops.empty()) Focus(stops.front());
}

TButton* TKeyboardNavigation::DefaultButton() const {
  for (const auto& [control, window] : windows_.Windows()) {
    auto* button = dynamic_cast<TButton*>(control);
    if (button && button->Default() && IsWindowVisible(window)) return button;
  }
  return nullptr;
}

void TKeyboardNavigation::Focus(HWND window) {
  SetFocus(window);
  if (dynamic_cast<TEdit*>(windows_.ControlOf(window))) SendMessageA(window, EM_SETSEL, 0, -1);
}

// The windows that Tab visits, in tab order: within each parent by TabOrder, a container's
// controls right after the container, only what is shown and enabled.
void TKeyboardNavigation::CollectTabStops(const TWinControl& parent,
                                          std::vector<HWND>& stops) const {
  std::vector<TControl*> children;
  if (auto* pages = dynamic_cast<const TPageControl*>(&parent)) {
    if (TTabSheet* page = DisplayedPage(*pages)) children.push_back(page);
  } else {
    children = ChildrenInWindowOrder(parent);
  }
  for (TControl* child : children) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    HWND window = windows_.WindowOf(child);
    if (!windowed || !window || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    if (windowed->TabStop()) stops.push_back(window);
    CollectTabStops(*windowed, stops);
  }
}

bool TKeyboardNavigation::HandleTabKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  if (!windows_.IsOurs(message.hwnd) || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
    return false;
  }
  std::vector<HWND> stops;
  CollectTabStops(form_, stops);
  if (stops.empty()) return true;
  HWND focus = GetFocus();
  while (focus && std::find(stops.begin(), stops.end(), focus) == stops.end() &&
         focus != windows_.FormWindow()) {
    focus = GetParent(focus);
  }
  const auto at = std::find(stops.begin(), stops.end(), focus);
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  size_t next = 0;
  const size_t count = stops.size();
  if (at == stops.end()) {
    next = backwards ? count - 1 : 0;
  } else {
    const size_t index = static_cast<size_t>(at - stops.begin());
    next = backwards ? (index + count - 1) % count : (index + 1) % count;
  }
  Focus(stops[next]);
  return true;
}

// Enter on a focused push button presses that button; elsewhere the dialog manager gives it to
// the default button.
bool TKeyboardNavigation::HandleReturnKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  HWND focus = GetFocus();
  if (!windows_.IsOurs(focus) || !dynamic_cast<TButton*>(windows_.ControlOf(focus))) return false;
  SendMessageA(focus, BM_CLICK, 0, 0);
  return true;
}

}  // namespace wdx::win32
