// The keyboard as a dialog's user expects it, by the dialog's rules (framework/ui): Tab and
// Shift+Tab through the focus order, the page keys from any control, and Enter on a focused push
// button presses it. The dialog manager does the rest: Enter elsewhere presses the default button,
// Escape sends the cancel command.
#pragma once

#include "framework/controls/Form.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TKeyboardNavigation {
 public:
  TKeyboardNavigation(TCustomForm& form, const TWindowMap& windows)
      : form_(form), windows_(windows) {}

  // Handles Tab, the page keys and Enter before the dialog manager sees them; true when the key
  // was taken.
  bool PreTranslate(const MSG& message);
  // Focuses the first control in focus order.
  void FocusFirst();
  // The control whose window has the focus, or nullptr.
  TControl* Focused() const;

 private:
  void Focus(const TControl* control);
  bool HandleTabKey(const MSG& message);
  bool HandlePageKey(const MSG& message);
  bool HandleReturnKey(const MSG& message);

  TCustomForm& form_;
  const TWindowMap& windows_;
};

}  // namespace wdx::win32
