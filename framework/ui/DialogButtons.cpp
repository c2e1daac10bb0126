#include "framework/ui/DialogButtons.h"

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/ControlState.h"
#include "framework/ui/FrontEnd.h"

namespace wdx {

namespace {

TButton* FirstMarked(const TCustomForm& form, bool (TButton::*marked)() const) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* button = ObjectCast<TButton>(form.Components(i));
    if (button && (button->*marked)() && Usable(button)) return button;
  }
  return nullptr;
}

}  // namespace

TButton* DefaultButton(const TCustomForm& form) {
  return FirstMarked(form, &TButton::Default);
}

TButton* CancelButton(const TCustomForm& form) {
  return FirstMarked(form, &TButton::Cancel);
}

void PressButton(TButton* button) {
  if (!button || !Usable(button)) return;
  DispatchEvent(button, [&] { button->Click(); });
}

}  // namespace wdx
