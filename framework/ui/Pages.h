// The pages of a page control as the user meets them: which tabs show, which page is shown, and
// which page is next to it.
#pragma once

#include <vector>

namespace wdx {

class TPageControl;
class TTabSheet;

// The pages whose tabs are shown: visible pages with a visible tab, in page order.
std::vector<TTabSheet*> VisibleTabs(const TPageControl& pages);

// The page a page control shows: its active page when that page's tab is shown, otherwise the
// first page whose tab is; nullptr when no tab is shown.
TTabSheet* ShownPage(const TPageControl& pages);

// The page whose tab stands `step` places from the shown page's, going round past the last and
// the first tab when `wrap`; nullptr when there is none (or it is the shown page itself).
TTabSheet* NeighbourPage(const TPageControl& pages, int step, bool wrap);

// Shows a page as a click on its tab does: it becomes the active page and the page control's
// OnChange runs; an error it raises goes to the error report.
void ShowPage(TPageControl& pages, TTabSheet& page);

}  // namespace wdx
