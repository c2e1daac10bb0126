// The keyboard as a dialog's user expects it, by the dialog's rules (framework/ui): Tab and
// Shift+Tab through the focus order, the page keys from any control, Enter on a focused push
// button presses it, and the focused control's kind takes its own keys (a radio button's
// arrows). The dialog manager does the rest: Enter elsewhere presses the default button, Escape
// sends the cancel command.
#pragma once

#include "framework/controls/Form.h"
#include "framework/ui/win32/WindowKinds.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TKeyboardNavigation {
 public:
  TKeyboardNavigation(TCustomForm& form, TWindowContext& context)
      : form_(form), context_(context), windows_(context.Windows) {}

  // Handles Tab, the page keys, Enter and the focused control's keys before the dialog manager
  // sees them; true when the key was taken.
  bool PreTranslate(const MSG& message);
  // Focuses the first control in focus order.
  void FocusFirst();
  // The control whose window has the focus, or nullptr.
  TControl* Focused() const;
  // Gives the control the focus, in the window its kind names.
  void Focus(const TControl* control);

 private:
  bool HandleTabKey(const MSG& message);
  bool HandlePageKey(const MSG& message);
  bool HandleReturnKey(const MSG& message);
  bool HandleControlKey(const MSG& message);

  TCustomForm& form_;
  TWindowContext& context_;
  const TWindowMap& windows_;
};

}  // namespace wdx::win32
