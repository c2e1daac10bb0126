// The example's form class: its controls come from the form (HelloForm.frm), its behaviour is two
// event handlers. WDX_FORM names the class, its parent and the handlers the form's
// "OnClick = ..." finds; WDX_CONTROL a control the code reaches, bound when the form is loaded.
// The build gives this file to formc (wendrix_add_form's CLASSES), which checks the form against
// it.
#pragma once

#include <wendrix/LangControl/Source/LangControl.h>
#include <wendrix/framework/controls/FormClass.h>

class THelloForm : public wdx::TForm {
 public:
  // btLanguageClick switches between English and German; btQuitClick asks, then quits.
  WDX_FORM(THelloForm, wdx::TForm, btLanguageClick, btQuitClick)
  using TForm::TForm;

 private:
  WDX_CONTROL(wdx::TLangControl, LangControl);
};
