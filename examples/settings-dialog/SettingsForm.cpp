#include "SettingsForm.h"

#include <wendrix/app/EmbeddedForm.h>
#include <wendrix/framework/controls/Application.h>
#include <wendrix/framework/controls/MessageBoxes.h>
#include <wendrix/framework/rtl/Texts.h>

#include "AboutForm.h"

void TSettingsForm::btAboutClick(wdx::TObject*) {
  auto about = wdx::CreateEmbeddedForm<TAboutForm>(&wdx::Application());
  const int32_t result = about->ShowModal();
  const wdx::TText closedWith =
      result == wdx::mrOK ? WDX_TEXT("Settings.AboutClosedWithOK", "Closed with OK")
                          : WDX_TEXT("Settings.AboutClosedWithCancel", "Closed with Cancel");
  lbStatus->SetCaption(wdx::Translate(closedWith));
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
