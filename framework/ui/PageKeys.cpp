#include "framework/ui/PageKeys.h"

#include <algorithm>
#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/ui/ControlState.h"
#include "framework/ui/FocusOrder.h"
#include "framework/ui/Pages.h"

namespace wdx {

int PageStep(const TKeyChord& key) {
  if (!key.Ctrl) return 0;
  switch (key.Key) {
    case TKeyChord::Tab:
      return key.Shift ? -1 : 1;
    case TKeyChord::PageDown:
      return key.Shift ? 0 : 1;
    case TKeyChord::PageUp:
      return key.Shift ? 0 : -1;
    case TKeyChord::Other:
      break;
  }
  return 0;
}

TPageControl* PagesToSwitch(const TCustomForm& form, const TControl* focused) {
  TPageControl* first = nullptr;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* pages = dynamic_cast<TPageControl*>(form.Components(i));
    if (!pages || !Usable(pages) || VisibleTabs(*pages).size() < 2) continue;
    if (Within(focused, pages)) return pages;
    if (!first) first = pages;
  }
  return first;
}

bool HandlePageKey(TCustomForm& form, const TControl* focused, const TKeyChord& key,
                   TControl*& focus) {
  const int step = PageStep(key);
  TPageControl* pages = step ? PagesToSwitch(form, focused) : nullptr;
  TTabSheet* page = pages ? NeighbourPage(*pages, step, true) : nullptr;
  if (!page) return false;
  ShowPage(*pages, *page);
  // The page shown now, whatever OnChange did.
  TTabSheet* shown = ShownPage(*pages);
  focus = shown ? FirstFocusWithin(form, *shown) : nullptr;
  if (!focus) {
    const std::vector<TControl*> order = FocusOrder(form);
    if (std::find(order.begin(), order.end(), pages) != order.end()) focus = pages;
  }
  return true;
}

}  // namespace wdx
