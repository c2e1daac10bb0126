// A page control's tab control: its tabs are the pages whose tabs are shown, and the page it
// shows is the only one of its pages on screen.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TPageTabs {
 public:
  explicit TPageTabs(const TWindowMap& windows) : windows_(windows) {}

  // Fills the tab control with the pages whose tabs are shown, selects the shown page's tab and
  // shows that page. The tabs are made anew only when their pages or captions changed.
  void Rebuild(const TPageControl& pages);
  // Puts every page over the tab control's display area and shows only the shown one.
  void Layout(const TPageControl& pages);
  // The page whose tab is at `index`, or nullptr.
  TTabSheet* PageAt(const TPageControl& pages, int index) const;

 private:
  const TWindowMap& windows_;
  std::map<const TPageControl*, std::vector<TTabSheet*>> pages_;
  std::map<const TPageControl*, std::vector<std::string>> captions_;
};

}  // namespace wdx::win32
