// What a front-end asks of a control before it lets the user reach it.
#pragma once

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Control.h"

namespace wdx {

// Whether the user can see the control: it and its parents are visible, and no page it is on
// has a hidden tab.
inline bool Showing(const TControl* control) {
  for (; control; control = control->Parent()) {
    if (!control->Visible()) return false;
    if (const auto* page = dynamic_cast<const TTabSheet*>(control); page && !page->TabVisible()) {
      return false;
    }
  }
  return true;
}

// Whether the user can operate the control: showing, and it and its parents enabled.
inline bool Usable(const TControl* control) {
  if (!Showing(control)) return false;
  for (; control; control = control->Parent()) {
    if (!control->Enabled()) return false;
  }
  return true;
}

}  // namespace wdx
