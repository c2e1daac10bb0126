#include "framework/ui/terminal/DialogFocus.h"

#include <algorithm>
#include <vector>

#include "framework/controls/StdCtrls.h"
#include "framework/ui/FocusOrder.h"
#include "framework/ui/terminal/TerminalKinds.h"

namespace wdx::terminal {

TControl* TDialogFocus::Focused() {
  const std::vector<TControl*> order = FocusOrder(form_);
  if (std::find(order.begin(), order.end(), focus_) != order.end()) return focus_;
  Set(order.empty() ? nullptr : order.front());
  return focus_;
}

void TDialogFocus::Set(TControl* control) {
  focus_ = control;
  if (!control) return;
  const TTerminalKind* kind = TerminalKinds().Find(*control);
  if (kind && kind->Focused) kind->Focused(*control, State(*control));
}

void TDialogFocus::Move(int step) {
  if (TControl* next = NextInFocusOrder(form_, Focused(), step)) Set(next);
}

TLineEdit& TDialogFocus::Caret(const TEdit& edit) {
  return State(edit).Line;
}

}  // namespace wdx::terminal
