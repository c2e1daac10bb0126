// The example's about box: a form without handlers of its own, whose buttons close it with their
// ModalResult.
#pragma once

#include "framework/controls/Form.h"

class TAboutForm : public wdx::TForm {
 public:
  WDX_CLASS(TAboutForm)
  explicit TAboutForm(wdx::TComponent* owner) : TForm(owner) {}
};
