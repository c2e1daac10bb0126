#include "SettingsForm.h"

#include "AboutForm.h"
#include "app/EmbeddedForm.h"
#include "framework/controls/Application.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/Texts.h"
#include "framework/rtti/Published.h"

const wdx::TMetaClass& TAboutForm::StaticClass() {
  static const wdx::TMetaClass meta("TAboutForm", &TForm::StaticClass(),
                                    wdx::FactoryOf<TAboutForm>(), {});
  return meta;
}

const wdx::TMetaClass& TSettingsForm::StaticClass() {
  using F = TSettingsForm;
  static const wdx::TMetaClass meta(
      "TSettingsForm", &TForm::StaticClass(), wdx::FactoryOf<F>(), {},
      {wdx::PublishedMethod<F>("btAboutClick", &F::btAboutClick),
       wdx::PublishedMethod<F>("btLanguageClick", &F::btLanguageClick),
       wdx::PublishedMethod<F>("btOKClick", &F::btOKClick),
       wdx::PublishedMethod<F>("btDiscardClick", &F::btDiscardClick)});
  return meta;
}

void TSettingsForm::Loaded() {
  TForm::Loaded();
  language_ = dynamic_cast<wdx::TLangControl*>(FindComponent("Languages"));
  status_ = dynamic_cast<wdx::TLabel*>(FindComponent("lbStatus"));
}

void TSettingsForm::btAboutClick(wdx::TObject*) {
  auto about = wdx::CreateEmbeddedForm<TAboutForm>(&wdx::Application());
  const int32_t result = about->ShowModal();
  const wdx::TText closedWith =
      result == wdx::mrOK ? WDX_TEXT("Settings.AboutClosedWithOK", "Closed with OK")
                          : WDX_TEXT("Settings.AboutClosedWithCancel", "Closed with Cancel");
  status_->SetCaption(wdx::Translate(closedWith));
}

void TSettingsForm::btLanguageClick(wdx::TObject*) {
  language_->SetLanguage(language_->Language() == "German" ? "English" : "German");
}

void TSettingsForm::btOKClick(wdx::TObject*) {
  const wdx::TText question = WDX_TEXT("Settings.SaveQuestion", "Save the settings?");
  const wdx::TModalResult answer = wdx::MessageDlg(wdx::Translate(question), wdx::mtConfirmation,
                                                   {wdx::mbYes, wdx::mbNo, wdx::mbCancel});
  if (answer != wdx::mrCancel) Close();
}

void TSettingsForm::btDiscardClick(wdx::TObject*) {
  const wdx::TText question = WDX_TEXT("Settings.DiscardQuestion", "Discard the changes?");
  if (wdx::MessageDlg(wdx::Translate(question), wdx::mtConfirmation, {wdx::mbOK, wdx::mbCancel}) ==
      wdx::mrOK) {
    Close();
  }
}
