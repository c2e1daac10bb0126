#include "framework/ui/DialogButtons.h"

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/ControlState.h"
#include "framework/ui/FrontEnd.h"

namespace wdx {

namespace {

// Dialogs name their cancel button so; the form format has no mark for it.
constexpr char kCancelButtonName[] = "btCancel";

}  // namespace

TButton* DefaultButton(const TCustomForm& form) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* button = dynamic_cast<TButton*>(form.Components(i));
    if (button && button->Default() && Usable(button)) return button;
  }
  return nullptr;
}

TButton* CancelButton(const TCustomForm& form) {
  auto* button = dynamic_cast<TButton*>(form.FindComponent(kCancelButtonName));
  return button && Usable(button) ? button : nullptr;
}

void PressButton(TButton* button) {
  if (!button || !Usable(button)) return;
  DispatchEvent(button, [&] { button->Click(); });
}

}  // namespace wdx
