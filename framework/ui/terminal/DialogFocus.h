// Which control of a form has the keyboard focus, and what the terminal keeps of each control
// between keys: an edit's caret, a list's scrolling, where the control was drawn last.
#pragma once

#include <chrono>
#include <map>
#include <string>

#include "framework/ui/terminal/Canvas.h"
#include "framework/ui/terminal/LineEdit.h"
#include "framework/ui/terminal/TextArea.h"

namespace wdx {

class TControl;
class TCustomForm;
class TEdit;

namespace terminal {

struct TViewState {
  TLineEdit Line;          // the caret of a one-line text
  TTextArea Area;          // the caret of a text of several lines
  int TopItem = 0;         // the first item a list shows
  std::string TypedAhead;  // the start of an item's text typed so far, and when
  std::chrono::steady_clock::time_point TypedAt;
  TCellRect Cells;  // where the control was drawn last, and the row through its middle
  int Middle = 0;
};

class TDialogFocus {
 public:
  explicit TDialogFocus(const TCustomForm& form) : form_(form) {}

  // The focused control; the first in tab order when none is, or when the focused one can no
  // longer take the focus.
  TControl* Focused();
  // Focuses a control; its kind may place a caret (an edit's goes to the end of its text).
  void Set(TControl* control);
  // Moves the focus `step` places through the tab order, wrapping round.
  void Move(int step);

  TViewState& State(const TControl& control) { return states_[&control]; }
  TLineEdit& Caret(const TEdit& edit);

 private:
  const TCustomForm& form_;
  TControl* focus_ = nullptr;
  std::map<const TControl*, TViewState> states_;
};

}  // namespace terminal
}  // namespace wdx
