// A form's controls reached by their class: members that the form binds by name when it is loaded,
// the way the reader binds its handlers, and a find that checks the class.
//
//   class THelloForm : public wdx::TForm {
//     ...
//     WDX_CONTROL(wdx::TButton, btLanguage);  // FormClass.h
//   };
//   btLanguage->SetCaption("Deutsch");        // once the form is loaded
//   wdx::FindControl<wdx::TEdit>(form, "edName").Text();
//
// A component that is missing or of another class is an EComponentError naming the form's class,
// the component and the classes: "THelloForm has no component btLanguage", "btLanguage of
// THelloForm is a TEdit, not a TButton". formc reports the same of a form source when it is given
// the class's declaration (README, "Checking a form").
#pragma once

#include <string_view>

#include "framework/components/Component.h"

namespace wdx {

class TForm;

// Raises the EComponentError above for `component` (nullptr: missing) named `name` in `owner`.
[[noreturn]] void ThrowControlMismatch(const TComponent& owner, std::string_view name,
                                       const TComponent* component, const TMetaClass& expected);

// The control of `owner` named `name` as a `T`.
template <class T>
T& FindControl(const TComponent& owner, std::string_view name) {
  TComponent* component = owner.FindComponent(name);
  T* typed = ObjectCast<T>(component);
  if (!typed) ThrowControlMismatch(owner, name, component, T::StaticClass());
  return *typed;
}

// A member of a form that the form binds to its component of the member's name once it is loaded
// (TForm::Loaded). Null until then.
class TFormControlBinding {
 public:
  TFormControlBinding(const TFormControlBinding&) = delete;
  TFormControlBinding& operator=(const TFormControlBinding&) = delete;

  const char* Name() const { return name_; }
  // Finds the component in `form` and checks its class.
  void Bind(const TForm& form);

 protected:
  using Fits = bool (*)(const TComponent* component);
  TFormControlBinding(TForm* form, const char* name, const TMetaClass& cls, Fits fits);
  ~TFormControlBinding() = default;

  TComponent* component_ = nullptr;

 private:
  const char* name_;
  const TMetaClass& class_;
  Fits fits_;
};

template <class T>
class TFormControl : public TFormControlBinding {
 public:
  TFormControl(TForm* form, const char* name)
      : TFormControlBinding(form, name, T::StaticClass(), [](const TComponent* component) {
          return ObjectCast<T>(component) != nullptr;
        }) {}

  T* Get() const { return static_cast<T*>(component_); }
  T* operator->() const { return Get(); }
  T& operator*() const { return *Get(); }
  operator T*() const { return Get(); }  // NOLINT: used as the pointer it stands for
};

}  // namespace wdx
