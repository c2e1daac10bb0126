// settings-dialog: a settings dialog with every standard control, in English and German, with an
// about box shown modally and message boxes of two and three buttons; shown by the front-end that
// WENDRIX_UI chooses (script:<file> for the scripted one; otherwise windows on Windows, the
// terminal on POSIX).
#include <wendrix/app/EmbeddedForm.h>
#include <wendrix/app/FrontEndChoice.h>
#include <wendrix/framework/controls/Application.h>
#include <exception>
#include <iostream>

#include "SettingsForm.h"

int main() {
  wdx::StartupLanguageLibrary();  // the user's language, when the form has it
  int code = 0;
  if (auto frontEnd = wdx::ChooseFrontEnd(code)) {
    try {
      auto form = wdx::CreateEmbeddedForm<TSettingsForm>(&wdx::Application());
      code = frontEnd->Run(*form);
    } catch (const std::exception& error) {
      std::cerr << "settings-dialog: " << error.what() << "\n";
      code = 1;
    }
  }
  wdx::ShutdownLanguageLibrary();
  return code;
}
