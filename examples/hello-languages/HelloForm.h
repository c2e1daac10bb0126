// The example's form class: its controls come from the form (HelloForm.frm), its behaviour is
// two event handlers, published by name so that the form's "OnClick = ..." finds them.
#pragma once

#include "LangControl/Source/LangControl.h"
#include "framework/controls/Form.h"

class THelloForm : public wdx::TForm {
 public:
  WDX_CLASS(THelloForm)
  explicit THelloForm(wdx::TComponent* owner) : TForm(owner) {}

  // Switches between English and German.
  void btLanguageClick(wdx::TObject* sender);
  void btQuitClick(wdx::TObject* sender);

  void Loaded() override;

 private:
  wdx::TLangControl* language_ = nullptr;
};
