// Checks that every caption is shown whole and fits its control (CaptionFit.h): the setup
// dialog's in each of its languages (those the program is built with), and those of a test form
// whose German texts are long (LongGerman.frm). The windows are built by the window front-end's own
// builder at each DPI asked for, on the desktop the program would show them on, and each caption is
// measured in the font its window uses.
//
//   dialog_fit_check.exe [--dpi <n>]... [--caption <Component> <text>]...
//
// --dpi lays the forms out at that DPI (default: the monitor's); --caption gives a component of
// either form another caption first (to see the check fail). Prints one line per caption that
// does not fit and a summary per form, language and DPI; exits with 1 when one does not fit, 2
// when the windows cannot be made.
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/components/Reader.h"
#include "framework/controls/Application.h"
#include "framework/controls/Register.h"
#include "framework/rtl/Streams.h"
#include "framework/rtl/WideText.h"
#include "platform/Resources.h"
#include "setup/ConfigUnit.h"
#include "setup/StringsUnit.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "tests/win32gui/BuiltForm.h"
#include "tests/win32gui/CaptionFit.h"

// After windows.h.
#include <shellapi.h>

namespace {

using namespace wdx;
using namespace wdx::win32;

using TCaptions = std::vector<std::pair<std::string, std::string>>;

// Builds the form's windows at the DPI and measures every caption; the number that do not fit.
int Check(TCustomForm& form, const TCaptions& captions, int dpi, const std::string& what) {
  for (const auto& [component, caption] : captions) {
    TControl* control =
        component == form.Name() ? &form : dynamic_cast<TControl*>(form.FindComponent(component));
    if (control) control->SetCaption(caption);
  }
  TBuiltForm built(form, dpi);
  if (!built.Built) {
    std::cerr << "dialog_fit_check: the windows cannot be made (no desktop)\n";
    std::exit(2);
  }
  const std::string at = std::to_string(built.Windows.Scale().Dpi) + " DPI, " + what + ": ";
  const TCaptionFits fits = CheckCaptions(form, built.Windows);
  for (const TCaptionMisfit& misfit : fits.Misfits) {
    std::cout << at << misfit.Control << " \"" << misfit.Caption << "\" " << misfit.Problem << "\n";
  }
  const int misfits = static_cast<int>(fits.Misfits.size());
  std::cout << at << fits.Checked - misfits << " of " << fits.Checked << " captions fit\n";
  return misfits;
}

// The setup dialog in each of its languages.
int CheckDialog(const TCaptions& captions, int dpi) {
  std::unique_ptr<TfrmWendrixSetup> dialog(CreateSetupDialog(&Application()));
  TLangControl* languages = dynamic_cast<TLangControl*>(dialog->FindComponent("LangControl"));
  TLanguageEntries* entries = languages ? languages->Manager().Languages() : nullptr;
  if (!entries || entries->Count() == 0) return Check(*dialog, captions, dpi, "(design)");
  int misfits = 0;
  for (int i = 0; i < entries->Count(); ++i) {
    const std::string name = entries->Items(i)->Name();
    languages->SetLanguage(name);
    misfits += Check(*dialog, captions, dpi, name);
  }
  return misfits;
}

int CheckLongGerman(const TCaptions& captions, int dpi) {
  TForm form(&Application());
  TMemoryStream source(LoadResourceData("TLONGGERMAN"));
  TReader(source).ReadRootComponent(&form);
  return Check(form, captions, dpi, "long German");
}

// The command line as the wide API gives it, so that a caption in any script arrives whole.
std::vector<std::string> Arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide && i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace

int main() {
  const std::vector<std::string> argv = Arguments();
  const size_t argc = argv.size();
  TCaptions captions;
  std::vector<int> dpis;
  for (size_t i = 1; i < argc; ++i) {
    const std::string& arg = argv[i];
    if (arg == "--caption" && i + 2 < argc) {
      captions.emplace_back(argv[i + 1], argv[i + 2]);
      i += 2;
    } else if (arg == "--dpi" && i + 1 < argc && std::atoi(argv[i + 1].c_str()) > 0) {
      dpis.push_back(std::atoi(argv[++i].c_str()));
    } else {
      std::cerr << "usage: dialog_fit_check [--dpi <n>]... [--caption <Component> <text>]...\n";
      return 2;
    }
  }
  if (dpis.empty()) dpis.push_back(0);
  StartupLanguageLibrary();
  Application().SetTitle(Translate(strings::kApplicationTitle));
  RegisterStandardControls();
  int misfits = 0;
  for (int dpi : dpis) misfits += CheckDialog(captions, dpi) + CheckLongGerman(captions, dpi);
  ShutdownLanguageLibrary();
  return misfits == 0 ? 0 : 1;
}
