// A control class of a test program's own, as a program would define one: a lamp that a click
// switches on and off. Tests give it kinds of their own in the front-ends' tables. A gadget is a
// class that no front-end has a kind for.
#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx::test {

class TLamp : public TWinControl {
 public:
  WDX_CLASS(TLamp)
  explicit TLamp(TComponent* owner) : TWinControl(owner) {
    ApplyDeclaredDefaults(*this, CachedClass());
  }
  bool Lit() const { return lit_; }
  void SetLit(bool value) { SetField(lit_, value); }
  void Toggle() { SetLit(!lit_); }
  bool TakesFocus() const override { return TabStop(); }

 private:
  bool lit_ = false;
};

inline const TMetaClass& TLamp::StaticClass() {
  static const TMetaClass meta("TLamp", &TWinControl::StaticClass(), FactoryOf<TLamp>(),
                               {CaptionProp<TLamp>(), EnabledProp<TLamp>(),
                                Published<TLamp>("Lit", &TLamp::Lit, &TLamp::SetLit).WithDefault(0),
                                TabStopProp<TLamp>(true), VisibleProp<TLamp>()});
  return meta;
}

class TGadget : public TWinControl {
 public:
  WDX_CLASS(TGadget)
  explicit TGadget(TComponent* owner) : TWinControl(owner) {}
};

inline const TMetaClass& TGadget::StaticClass() {
  static const TMetaClass meta("TGadget", &TWinControl::StaticClass(), FactoryOf<TGadget>(),
                               {VisibleProp<TGadget>()});
  return meta;
}

}  // namespace wdx::test
