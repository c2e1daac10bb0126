#include "framework/ui/Pages.h"

#include <algorithm>

#include "framework/controls/ComCtrls.h"
#include "framework/ui/FrontEnd.h"

namespace wdx {

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

TTabSheet* NeighbourPage(const TPageControl& pages, int step, bool wrap) {
  const std::vector<TTabSheet*> tabs = VisibleTabs(pages);
  const auto at = std::find(tabs.begin(), tabs.end(), ShownPage(pages));
  if (at == tabs.end()) return nullptr;
  const auto count = static_cast<std::ptrdiff_t>(tabs.size());
  std::ptrdiff_t index = (at - tabs.begin()) + step;
  if (wrap) index = (index % count + count) % count;
  if (index < 0 || index >= count || tabs[static_cast<size_t>(index)] == *at) return nullptr;
  return tabs[static_cast<size_t>(index)];
}

void ShowPage(TPageControl& pages, TTabSheet& page) {
  DispatchEvent(&pages, [&] {
    pages.SetActivePage(&page);
    pages.OnChange(&pages);
  });
}

}  // namespace wdx
