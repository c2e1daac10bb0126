#include "framework/ui/terminal/ControlTree.h"

#include <algorithm>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"

namespace wdx::terminal {

namespace {

std::vector<TControl*> InTabOrder(const TWinControl& parent) {
  std::vector<TControl*> children;
  for (int i = 0; i < parent.ControlCount(); ++i) children.push_back(parent.Controls(i));
  std::stable_sort(children.begin(), children.end(), [](const TControl* a, const TControl* b) {
    const auto* wa = dynamic_cast<const TWinControl*>(a);
    const auto* wb = dynamic_cast<const TWinControl*>(b);
    if (!wa || !wb) return wa != nullptr;
    return wa->TabOrder() < wb->TabOrder();
  });
  return children;
}

void CollectFocusable(const TWinControl& parent, std::vector<TControl*>& out) {
  for (TControl* child : InTabOrder(parent)) {
    if (!child->Visible() || !child->Enabled()) continue;
    if (auto* pages = dynamic_cast<TPageControl*>(child)) {
      TTabSheet* page = ShownPage(*pages);
      if (pages->TabStop() && page) out.push_back(pages);
      if (page && page->Enabled()) CollectFocusable(*page, out);
    } else if (auto* edit = dynamic_cast<TEdit*>(child)) {
      if (edit->TabStop()) out.push_back(edit);
    } else if (auto* button = dynamic_cast<TButton*>(child)) {
      if (button->TabStop()) out.push_back(button);
    } else if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      CollectFocusable(*windowed, out);
    }
  }
}

}  // namespace

std::vector<TTabSheet*> VisibleTabs(const TPageControl& pages) {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : pages.Pages()) {
    if (page->Visible() && page->TabVisible()) tabs.push_back(page);
  }
  return tabs;
}

TTabSheet* ShownPage(const TPageControl& pages) {
  const std::vector<TTabSheet*> tabs = VisibleTabs(pages);
  if (std::find(tabs.begin(), tabs.end(), pages.ActivePage()) != tabs.end()) {
    return pages.ActivePage();
  }
  return tabs.empty() ? nullptr : tabs.front();
}

std::vector<TControl*> FocusOrder(const TCustomForm& form) {
  std::vector<TControl*> order;
  if (form.Visible() && form.Enabled()) CollectFocusable(form, order);
  return order;
}

TButton* DefaultButton(const TCustomForm& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* button = dynamic_cast<TButton*>(form.Components(i));
    if (button && button->Default() && Usable(button)) return button;
  }
  return nullptr;
}

}  // namespace wdx::terminal
