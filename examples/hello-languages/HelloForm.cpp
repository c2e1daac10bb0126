#include "HelloForm.h"

#include <wendrix/framework/controls/MessageBoxes.h>
#include <wendrix/framework/rtl/Texts.h>

void THelloForm::btLanguageClick(wdx::TObject*) {
  LangControl->SetLanguage(LangControl->Language() == "German" ? "English" : "German");
}

void THelloForm::btQuitClick(wdx::TObject*) {
  // A text of the program's code, translated in po/de.po beside the form's texts.
  const wdx::TText question = WDX_TEXT("Hello.QuitQuestion", "Quit hello-languages?");
  if (wdx::MessageDlg(wdx::Translate(question), wdx::mtConfirmation, {wdx::mbYes, wdx::mbNo}) ==
      wdx::mrYes) {
    Close();
  }
}
