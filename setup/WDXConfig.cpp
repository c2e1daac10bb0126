// The program entry: the run mode from the first argument, the application title, the dialog
// created from its embedded form, the installation directory from the program's own path, and
// the front-end that runs the dialog until it closes.
#include <iostream>
#include <memory>
#include <string>

#include "LangControl/Source/LangControl.h"
#include "app/FrontEndChoice.h"
#include "framework/controls/Application.h"
#include "framework/controls/StdCtrls.h"
#include "platform/Files.h"
#include "setup/ConfigUnit.h"
#include "setup/RunMode.h"
#include "setup/StringsUnit.h"

int main(int argc, char** argv) {
  using namespace wdx;
  const TRunMode mode = ParseRunMode(argc > 1 ? argv[1] : "");
  StartupLanguageLibrary();
  int code = 0;
  {
    std::unique_ptr<TFrontEnd> frontEnd = ChooseFrontEnd(code);
    if (!frontEnd) return code;
    // In the user's language: the front-end choice has the program's texts at hand.
    Application().SetTitle(Translate(strings::kApplicationTitle));
    std::unique_ptr<TfrmWendrixSetup> dialog;
    try {
      dialog.reset(CreateSetupDialog(&Application()));
    } catch (const Exception& error) {
      std::cerr << Application().Title() << ": " << error.what() << "\n";
      return 1;
    }
    // Escape presses Cancel. The program marks the button, so that the form's records stay as
    // they have always been stored.
    if (dialog->btCancel) dialog->btCancel->SetCancel(true);
    dialog->RunMode = mode;
    dialog->InstallDir = InstallDirOf(ModuleFileName());
    code = frontEnd->Run(*dialog);
  }
  ShutdownLanguageLibrary();
  return code;
}
