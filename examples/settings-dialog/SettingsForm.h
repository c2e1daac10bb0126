// The example's settings dialog: its controls come from the form (SettingsForm.frm), its
// behaviour is four event handlers. WDX_FORM names the class, its parent and the handlers the
// form's "OnClick = ..." finds; WDX_CONTROL a control the code reaches, bound when the form is
// loaded. The build gives this file to formc (wendrix_add_form's CLASSES), which checks the form
// against it.
#pragma once

#include <wendrix/LangControl/Source/LangControl.h>
#include <wendrix/framework/controls/FormClass.h>
#include <wendrix/framework/controls/StdCtrls.h>
#include <wendrix/framework/rtl/Texts.h>

class TSettingsForm : public wdx::TForm {
 public:
  // btAboutClick shows the about box modally and tells its result under the pages;
  // btLanguageClick switches between English and German; btOKClick asks whether to save (Yes, No
  // or Cancel; Cancel keeps the dialog open); btDiscardClick asks whether to discard the changes
  // (OK or Cancel).
  WDX_FORM(TSettingsForm, wdx::TForm, btAboutClick, btLanguageClick, btOKClick, btDiscardClick)
  using TForm::TForm;

  void Loaded() override;

 private:
  // Shows the about box's last result in the language the form shows.
  void ShowStatus();

  const wdx::TText* status_ = nullptr;  // the about box's last result, none before it closed
  WDX_CONTROL(wdx::TLangControl, Languages);
  WDX_CONTROL(wdx::TLabel, lbStatus);
};
