#include "LangControl/Source/LangControlCore.h"

#include "framework/controls/Form.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

TCustomForm* FindOwnerForm(const TComponent* component) {
  for (TComponent* owner = component ? component->Owner() : nullptr; owner;
       owner = owner->Owner()) {
    if (auto* form = ObjectCast<TCustomForm>(owner)) return form;
  }
  return nullptr;
}

void ForEachControl(TWinControl* control, const std::function<void(TControl*)>& visitor) {
  for (int i = control->ControlCount() - 1; i >= 0; --i) {
    TControl* child = control->Controls(i);
    if (auto* windowed = ObjectCast<TWinControl>(child)) {
      ForEachControl(windowed, visitor);
    } else {
      visitor(child);
    }
  }
  visitor(control);
}

void ForEachOwnedComponent(TComponent* component, const std::function<void(TComponent*)>& visitor) {
  for (int i = component->ComponentCount() - 1; i >= 0; --i) {
    ForEachOwnedComponent(component->Components(i), visitor);
  }
  visitor(component);
}

void RaiseCaseError() {
  throw ECaseError("Case value not handled");
}

}  // namespace wdx
