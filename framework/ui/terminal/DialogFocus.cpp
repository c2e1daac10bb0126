#include "framework/ui/terminal/DialogFocus.h"

#include <algorithm>
#include <vector>

#include "framework/controls/StdCtrls.h"
#include "framework/ui/terminal/ControlTree.h"

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
  const std::vector<TControl*> order = FocusOrder(form_);
  if (order.empty()) return;
  const auto at = std::find(order.begin(), order.end(), Focused());
  const int count = static_cast<int>(order.size());
  const int index = at == order.end() ? 0 : static_cast<int>(at - order.begin());
  Set(order[static_cast<size_t>(((index + step) % count + count) % count)]);
}

}  // namespace wdx::terminal
