#include "framework/ui/win32/PageTabs.h"

#include <algorithm>

#include "framework/ui/Pages.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/Win32Support.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32 {

void TPageTabs::Rebuild(const TPageControl& pages) {
  HWND tabs = windows_.WindowOf(&pages);
  if (!tabs) return;
  const std::vector<TTabSheet*> visible = VisibleTabs(pages);
  std::vector<std::string> captions;
  for (TTabSheet* page : visible) captions.push_back(page->Caption());
  std::vector<TTabSheet*>& shown = pages_[&pages];
  std::vector<std::string>& shownCaptions = captions_[&pages];
  if (visible != shown || captions != shownCaptions) {
    TabCtrl_DeleteAllItems(tabs);
    for (size_t i = 0; i < visible.size(); ++i) {
      std::wstring caption = Wide(captions[i]);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption.data();
      SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    shown = visible;
    shownCaptions = captions;
  }
  const auto at = std::find(shown.begin(), shown.end(), ShownPage(pages));
  const int index = at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
  if (TabCtrl_GetCurSel(tabs) != index) TabCtrl_SetCurSel(tabs, index);
  Layout(pages);
}

void TPageTabs::Layout(const TPageControl& pages) {
  TTabSheet* displayed = ShownPage(pages);
  for (TTabSheet* page : pages.Pages()) {
    HWND window = windows_.WindowOf(page);
    if (!window) continue;
    const RECT area = DesignBounds(windows_, *page);
    SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (page != displayed) ShowWindow(window, SW_HIDE);
  }
  if (HWND window = windows_.WindowOf(displayed)) ShowWindow(window, SW_SHOWNA);
}

TTabSheet* TPageTabs::PageAt(const TPageControl& pages, int index) const {
  const auto found = pages_.find(&pages);
  if (found == pages_.end() || index < 0 || index >= static_cast<int>(found->second.size())) {
    return nullptr;
  }
  return found->second[static_cast<size_t>(index)];
}

}  // namespace wdx::win32
