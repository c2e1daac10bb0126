// The order in which Tab moves the keyboard focus through a form's controls, the same in every
// front-end.
//
// Within a parent the windowed controls go by TabOrder; one without a stored TabOrder (-1) comes
// after all that have one, in the order the parent holds them, as a control added to a dialog
// later takes the last place. Controls that are not windowed follow them. A container stands where
// its TabOrder puts it and its own controls follow it there; a page control's tab strip comes
// before the controls of the page it shows, and the other pages' controls are out of reach.
//
// A control takes the focus when it says so (TControl::TakesFocus: an edit, a push button or a tab
// strip with its TabStop set, ...); a container never takes it itself. What is hidden or disabled,
// or lies in something that is, is skipped.
#pragma once

#include <vector>

namespace wdx {

class TControl;
class TCustomForm;
class TWinControl;

// A parent's child controls in tab order.
std::vector<TControl*> ChildrenInTabOrder(const TWinControl& parent);

// The controls that take the focus, in tab order.
std::vector<TControl*> FocusOrder(const TCustomForm& form);

// The control `step` places from `from` in focus order, going round at either end; from a control
// not in the order, the first (forwards) or the last (backwards). nullptr when nothing takes the
// focus.
TControl* NextInFocusOrder(const TCustomForm& form, const TControl* from, int step);

// The first control in focus order that lies inside `container`, or nullptr.
TControl* FirstFocusWithin(const TCustomForm& form, const TControl& container);

// Whether `control` is `ancestor` or lies inside it.
bool Within(const TControl* control, const TControl* ancestor);

}  // namespace wdx
