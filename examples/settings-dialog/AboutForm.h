// The example's about box: a form without handlers of its own, whose buttons close it with their
// ModalResult.
#pragma once

#include <wendrix/framework/controls/FormClass.h>

class TAboutForm : public wdx::TForm {
 public:
  WDX_FORM(TAboutForm, wdx::TForm)
  using TForm::TForm;
};
