// The example's settings dialog: its controls come from the form (SettingsForm.frm), its
// behaviour is four event handlers, published by name so that the form's "OnClick = ..." finds
// them.
#pragma once

#include "LangControl/Source/LangControl.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"

class TSettingsForm : public wdx::TForm {
 public:
  WDX_CLASS(TSettingsForm)
  explicit TSettingsForm(wdx::TComponent* owner) : TForm(owner) {}

  // Shows the about box modally and tells its result under the pages.
  void btAboutClick(wdx::TObject* sender);
  // Switches between English and German.
  void btLanguageClick(wdx::TObject* sender);
  // Asks whether to save (Yes, No or Cancel); Cancel keeps the dialog open.
  void btOKClick(wdx::TObject* sender);
  // Asks whether to discard the changes (OK or Cancel).
  void btDiscardClick(wdx::TObject* sender);

  void Loaded() override;

 private:
  wdx::TLangControl* language_ = nullptr;
  wdx::TLabel* status_ = nullptr;
};
