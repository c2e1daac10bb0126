// Check boxes and radio buttons. A radio button is one of a group: the radio buttons of one
// parent, of which checking one unchecks the others. Each class's published defaults are declared
// in its table (StaticClass) and applied by its constructor.
#pragma once

#include "framework/controls/Control.h"
#include "framework/rtti/Method.h"

namespace wdx {

class TCheckBox : public TWinControl {
 public:
  WDX_CLASS(TCheckBox)
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return checked_; }
  // A change runs OnClick, except while the form is read.
  void SetChecked(bool value);
  TNotifyEvent OnClick;
  bool TakesFocus() const override { return TabStop(); }

 private:
  bool checked_{};
};

class TRadioButton : public TWinControl {
 public:
  WDX_CLASS(TRadioButton)
  explicit TRadioButton(TComponent* owner);

  bool Checked() const { return checked_; }
  // Checking one unchecks the other radio buttons of its parent and runs OnClick, except while
  // the form is read.
  void SetChecked(bool value);
  TNotifyEvent OnClick;
  // A group is one stop of the focus: its checked button, or its first in tab order while none
  // is checked (of those shown and enabled).
  bool TakesFocus() const override;

 private:
  bool checked_{};
};

}  // namespace wdx
