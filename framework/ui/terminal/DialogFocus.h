// Which control of a form has the keyboard focus, and the caret of each of its edits.
#pragma once

#include <map>

#include "framework/ui/terminal/LineEdit.h"

namespace wdx {

class TControl;
class TCustomForm;
class TEdit;

namespace terminal {

class TDialogFocus {
 public:
  explicit TDialogFocus(const TCustomForm& form) : form_(form) {}

  // The focused control; the first in tab order when none is, or when the focused one can no
  // longer take the focus.
  TControl* Focused();
  // Focuses a control; an edit gets its caret at the end of its text.
  void Set(TControl* control);
  // Moves the focus `step` places through the tab order, wrapping round.
  void Move(int step);

  TLineEdit& Caret(const TEdit& edit) { return carets_[&edit]; }

 private:
  const TCustomForm& form_;
  TControl* focus_ = nullptr;
  std::map<const TEdit*, TLineEdit> carets_;
};

}  // namespace terminal
}  // namespace wdx
