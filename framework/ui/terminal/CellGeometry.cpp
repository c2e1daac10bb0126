#include "framework/ui/terminal/CellGeometry.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"

namespace wdx::terminal {

TPixelOrigin ParentOrigin(const TControl& control) {
  TPixelOrigin origin;
  for (const TWinControl* parent = control.Parent(); parent && !ObjectCast<TCustomForm>(parent);
       parent = parent->Parent()) {
    origin.X += parent->Left();
    origin.Y += parent->Top();
    if (const auto* page = ObjectCast<TTabSheet>(parent)) {
      // A sheet stands at its page control's client area, past the tab strip.
      origin.X += kPageInsetLeft + page->BorderWidth() - page->Left();
      origin.Y += kPageInsetTop + page->BorderWidth() - page->Top();
    }
  }
  return origin;
}

}  // namespace wdx::terminal
