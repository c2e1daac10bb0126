// Forms: top-level windowed controls that own the components of one window.
#pragma once

#include "framework/controls/Control.h"
#include "framework/rtti/Method.h"

namespace wdx {

class TCustomForm : public TWinControl {
 public:
  WDX_CLASS(TCustomForm)

  explicit TCustomForm(TComponent* owner);

  TNotifyEvent OnActivate;
  // Runs the activation event (a front-end calls it when the window becomes active).
  void Activate();
  // Closes the form; a front-end running it sees IsClosed() and ends its loop.
  void Close();
  bool IsClosed() const { return closed_; }

 private:
  bool closed_ = false;
};

class TForm : public TCustomForm {
 public:
  WDX_CLASS(TForm)
  using TCustomForm::TCustomForm;
};

}  // namespace wdx
