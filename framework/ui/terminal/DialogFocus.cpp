#include "framework/ui/terminal/DialogFocus.h"

#include <algorithm>
#include <vector>

#include "framework/controls/StdCtrls.h"
#include "framework/ui/FocusOrder.h"

namespace wdx::terminal {

TControl* TDialogFocus::Focused() {
  const std::vector<TControl*> order = FocusOrder(form_);
  if (std::find(order.begin(), order.end(), focus_) != order.end()) return focus_;
  Set(order.empty() ? nullptr : order.front());
  return focus_;
}

void TDialogFocus::Set(TControl* control) {
  focus_ = control;
  if (auto* edit = dynamic_cast<TEdit*>(control)) carets_[edit].Cursor = edit->Text().size();
}

void TDialogFocus::Move(int step) {
  if (TControl* next = NextInFocusOrder(form_, Focused(), step)) Set(next);
}

}  // namespace wdx::terminal
