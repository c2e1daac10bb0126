// What the terminal front-end asks of a form's controls beside their state (ControlState.h): which
// page a page control shows, and the order in which the focus visits the controls.
#pragma once

#include <vector>

#include "framework/ui/ControlState.h"

namespace wdx {

class TButton;
class TControl;
class TCustomForm;
class TPageControl;
class TTabSheet;

namespace terminal {

// The pages whose tabs are shown.
std::vector<TTabSheet*> VisibleTabs(const TPageControl& pages);

// The page a page control shows: its active page, or the first one whose tab is shown when the
// active page's tab is hidden.
TTabSheet* ShownPage(const TPageControl& pages);

// The controls that take the focus, in tab order: within each parent by TabOrder, a parent's
// children where the parent stands; of a page control its tab strip, then its shown page.
std::vector<TControl*> FocusOrder(const TCustomForm& form);

// The form's usable default button (the one Enter presses), or nullptr.
TButton* DefaultButton(const TCustomForm& form);

}  // namespace terminal
}  // namespace wdx
