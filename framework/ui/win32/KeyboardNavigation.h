// The keyboard as a dialog's user expects it: Tab and Shift+Tab through the shown and enabled
// controls in tab order, Enter on a focused push button presses it, and the default button.
#pragma once

#include <vector>

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TKeyboardNavigation {
 public:
  TKeyboardNavigation(TCustomForm& form, const TWindowMap& windows)
      : form_(form), windows_(windows) {}

  // Handles Tab and Enter before the dialog manager sees them; true when the key was taken.
  bool PreTranslate(const MSG& message);
  // Focuses the first control that Tab visits.
  void FocusFirst();
  // The shown default button, or nullptr.
  TButton* DefaultButton() const;

 private:
  void Focus(HWND window);
  void CollectTabStops(const TWinControl& parent, std::vector<HWND>& stops) const;
  bool HandleTabKey(const MSG& message);
  bool HandleReturnKey(const MSG& message);

  TCustomForm& form_;
  const TWindowMap& windows_;
};

}  // namespace wdx::win32
