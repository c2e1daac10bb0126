#include "framework/ui/FocusOrder.h"

#include <algorithm>
#include <climits>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/ui/Pages.h"

namespace wdx {

namespace {

int32_t TabPlace(const TControl* control) {
  const auto* windowed = dynamic_cast<const TWinControl*>(control);
  if (!windowed) return INT32_MAX;
  return windowed->TabOrder() < 0 ? INT32_MAX - 1 : windowed->TabOrder();
}

void CollectFocusable(const TWinControl& parent, std::vector<TControl*>& out) {
  for (TControl* child : ChildrenInTabOrder(parent)) {
    if (!child->Visible() || !child->Enabled()) continue;
    if (auto* pages = ObjectCast<TPageControl>(child)) {
      TTabSheet* page = ShownPage(*pages);
      if (!page) continue;
      if (pages->TakesFocus()) out.push_back(pages);
      if (page->Enabled()) CollectFocusable(*page, out);
    } else if (child->TakesFocus()) {
      out.push_back(child);
    } else if (auto* windowed = ObjectCast<TWinControl>(child)) {
      CollectFocusable(*windowed, out);
    }
  }
}

}  // namespace

std::vector<TControl*> ChildrenInTabOrder(const TWinControl& parent) {
  std::vector<TControl*> children;
  children.reserve(static_cast<size_t>(parent.ControlCount()));
  for (int i = 0; i < parent.ControlCount(); ++i) children.push_back(parent.Controls(i));
  std::stable_sort(children.begin(), children.end(),
                   [](const TControl* a, const TControl* b) { return TabPlace(a) < TabPlace(b); });
  return children;
}

std::vector<TControl*> FocusOrder(const TCustomForm& form) {
  std::vector<TControl*> order;
  if (form.Visible() && form.Enabled()) CollectFocusable(form, order);
  return order;
}

TControl* NextInFocusOrder(const TCustomForm& form, const TControl* from, int step) {
  const std::vector<TControl*> order = FocusOrder(form);
  if (order.empty()) return nullptr;
  const auto count = static_cast<std::ptrdiff_t>(order.size());
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return step < 0 ? order.back() : order.front();
  const std::ptrdiff_t index = ((at - order.begin()) + step) % count;
  return order[static_cast<size_t>(index < 0 ? index + count : index)];
}

TControl* FirstFocusWithin(const TCustomForm& form, const TControl& container) {
  for (TControl* control : FocusOrder(form)) {
    if (control != &container && Within(control, &container)) return control;
  }
  return nullptr;
}

bool Within(const TControl* control, const TControl* ancestor) {
  for (; control; control = control->Parent()) {
    if (control == ancestor) return true;
  }
  return false;
}

}  // namespace wdx
