#include "SettingsForm.h"

#include <wendrix/app/EmbeddedForm.h>
#include <wendrix/framework/controls/Application.h>
#include <wendrix/framework/controls/MessageBoxes.h>
#include <wendrix/framework/rtl/Texts.h>

#include "AboutForm.h"

namespace {

const wdx::TText kClosedWithOK = WDX_TEXT("Settings.AboutClosedWithOK", "Closed with OK");
const wdx::TText kClosedWithCancel =
    WDX_TEXT("Settings.AboutClosedWithCancel", "Closed with Cancel");

}  // namespace

void TSettingsForm::Loaded() {
  TForm::Loaded();
  // A text of the code shown in a control follows the language as the form's texts do.
  Languages->Changed = [this] { ShowStatus(); };
}

void TSettingsForm::ShowStatus() {
  if (status_) lbStatus->SetCaption(wdx::Translate(*status_));
}

void TSettingsForm::btAboutClick(wdx::TObject*) {
  auto about = wdx::CreateEmbeddedForm<TAboutForm>(&wdx::Application());
  status_ = about->ShowModal() == wdx::mrOK ? &kClosedWithOK : &kClosedWithCancel;
  ShowStatus();
}

void TSettingsForm::btLanguageClick(wdx::TObject*) {
  Languages->SetLanguage(Languages->Language() == "German" ? "English" : "German");
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
