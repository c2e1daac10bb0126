#include "framework/ui/win32/KeyboardNavigation.h"

#include <vector>

#include "framework/ui/FocusOrder.h"
#include "framework/ui/PageKeys.h"

namespace wdx::win32 {

namespace {

bool Held(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

bool TKeyboardNavigation::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN || !windows_.IsOurs(message.hwnd)) return false;
  return HandlePageKey(message) || HandleTabKey(message) || HandleReturnKey(message) ||
         HandleControlKey(message);
}

void TKeyboardNavigation::FocusFirst() {
  const std::vector<TControl*> order = FocusOrder(form_);
  if (!order.empty()) Focus(order.front());
}

TControl* TKeyboardNavigation::Focused() const {
  return windows_.ControlAround(GetFocus());
}

void TKeyboardNavigation::Focus(const TControl* control) {
  const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
  HWND window = kind && kind->FocusWindow ? kind->FocusWindow(context_, *control)
                                          : windows_.WindowOf(control);
  if (!window) return;
  SetFocus(window);
  if (kind && kind->Focused) kind->Focused(window);
}

bool TKeyboardNavigation::HandleTabKey(const MSG& message) {
  if (message.wParam != VK_TAB || Held(VK_CONTROL) || Held(VK_MENU)) return false;
  if (TControl* next = NextInFocusOrder(form_, Focused(), Held(VK_SHIFT) ? -1 : 1)) Focus(next);
  return true;
}

// The page keys switch pages from any control; where there are no pages to switch they do
// nothing, rather than move the focus as the dialog manager would.
bool TKeyboardNavigation::HandlePageKey(const MSG& message) {
  TKeyChord chord;
  chord.Ctrl = Held(VK_CONTROL);
  chord.Shift = Held(VK_SHIFT);
  if (message.wParam == VK_TAB) chord.Key = TKeyChord::Tab;
  if (message.wParam == VK_NEXT) chord.Key = TKeyChord::PageDown;
  if (message.wParam == VK_PRIOR) chord.Key = TKeyChord::PageUp;
  if (PageStep(chord) == 0 || Held(VK_MENU)) return false;
  TControl* focus = nullptr;
  if (wdx::HandlePageKey(form_, Focused(), chord, focus) && focus) Focus(focus);
  return true;
}

// Enter on a focused push button presses that button; elsewhere the dialog manager gives it to
// the default button.
bool TKeyboardNavigation::HandleReturnKey(const MSG& message) {
  if (message.wParam != VK_RETURN) return false;
  HWND focus = GetFocus();
  TControl* control = windows_.IsOurs(focus) ? windows_.ControlOf(focus) : nullptr;
  const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
  if (!kind || !kind->PressesOnEnter) return false;
  SendMessageW(focus, BM_CLICK, 0, 0);
  return true;
}

bool TKeyboardNavigation::HandleControlKey(const MSG& message) {
  TControl* control = Focused();
  const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
  return kind && kind->Key && kind->Key(context_, *control, message);
}

}  // namespace wdx::win32
