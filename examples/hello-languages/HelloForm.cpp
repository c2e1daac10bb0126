#include "HelloForm.h"

#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/Texts.h"
#include "framework/rtti/Published.h"

const wdx::TMetaClass& THelloForm::StaticClass() {
  using F = THelloForm;
  static const wdx::TMetaClass meta(
      "THelloForm", &TForm::StaticClass(), wdx::FactoryOf<F>(), {},
      {wdx::PublishedMethod<F>("btLanguageClick", &F::btLanguageClick),
       wdx::PublishedMethod<F>("btQuitClick", &F::btQuitClick)});
  return meta;
}

void THelloForm::Loaded() {
  TForm::Loaded();
  language_ = dynamic_cast<wdx::TLangControl*>(FindComponent("LangControl"));
}

void THelloForm::btLanguageClick(wdx::TObject*) {
  language_->SetLanguage(language_->Language() == "German" ? "English" : "German");
}

void THelloForm::btQuitClick(wdx::TObject*) {
  // A text of the program's code, translated in po/de.po beside the form's texts.
  const wdx::TText question = WDX_TEXT("Hello.QuitQuestion", "Quit hello-languages?");
  if (wdx::MessageDlg(wdx::Translate(question), wdx::mtConfirmation, {wdx::mbYes, wdx::mbNo}) ==
      wdx::mrYes) {
    Close();
  }
}
