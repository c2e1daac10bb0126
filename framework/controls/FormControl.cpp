#include "framework/controls/FormControl.h"

#include <string>

#include "framework/controls/Form.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

void ThrowControlMismatch(const TComponent& owner, std::string_view name,
                          const TComponent* component, const TMetaClass& expected) {
  const std::string wanted(name);
  if (!component) throw EComponentError(owner.ClassName() + " has no component " + wanted);
  throw EComponentError(wanted + " of " + owner.ClassName() + " is a " + component->ClassName() +
                        ", not a " + expected.Name());
}

TFormControlBinding::TFormControlBinding(TForm* form, const char* name, const TMetaClass& cls,
                                         Fits fits)
    : name_(name), class_(cls), fits_(fits) {
  form->controls_.push_back(this);
}

void TFormControlBinding::Bind(const TForm& form) {
  TComponent* component = form.FindComponent(name_);
  if (!component || !fits_(component)) ThrowControlMismatch(form, name_, component, class_);
  component_ = component;
}

}  // namespace wdx
