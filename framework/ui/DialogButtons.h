// The buttons a dialog's keys press wherever the focus is: Enter the default button, Escape the
// cancel button.
#pragma once

namespace wdx {

class TButton;
class TCustomForm;

// The first usable button of the form (in creation order) marked Default, or nullptr.
TButton* DefaultButton(const TCustomForm& form);

// The first usable button of the form (in creation order) marked Cancel, or nullptr.
TButton* CancelButton(const TCustomForm& form);

// Presses the button as a user would, when it is usable; an error its handler raises goes to the
// error report.
void PressButton(TButton* button);

}  // namespace wdx
