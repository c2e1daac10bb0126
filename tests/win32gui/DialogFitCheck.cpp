// Checks that every caption of the setup dialog fits its control, in every language of the
// dialog: the windows are built from the dialog's component tree by the window front-end's own
// builder, on the desktop the program would show them on, and each caption is measured in the
// font its window uses.
//
//   dialog_fit_check.exe [--caption <Component> <text>]...
//
// --caption gives a component another caption first (to see the check fail). Prints one line
// per caption that does not fit and a summary; exits with 1 when one does not fit, 2 when the
// windows cannot be made.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "LangControl/Source/LangControlTools.h"
#include "LangControl/Source/LanguageValues.h"
#include "framework/controls/Application.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "setup/ConfigUnit.h"
#include "setup/StringsUnit.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"
#include "tests/win32gui/CaptionFit.h"

namespace {

using namespace wdx;
using namespace wdx::win32;

LRESULT CALLBACK Forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR) {
  return DefSubclassProc(window, message, wParam, lParam);
}

// The controls whose captions the check measures, and whether their windows wrap the text.
bool HasCheckedCaption(const TControl& control, bool& wraps) {
  wraps = false;
  if (auto* label = dynamic_cast<const TLabel*>(&control)) {
    wraps = label->WordWrap();
    return true;
  }
  return dynamic_cast<const TButton*>(&control) || dynamic_cast<const TGroupBox*>(&control) ||
         dynamic_cast<const TPanel*>(&control);
}

// Builds the dialog's windows and measures every caption; the number that do not fit.
int CheckLanguage(TfrmWendrixSetup& dialog, const std::string& language) {
  TWindowMap windows;
  TGdiCache gdi(windows.Scale());
  TPageTabs tabs(windows);
  TWidgetBuilder builder(windows, gdi, tabs, {DefWindowProcA, DefWindowProcA, Forward});
  if (!builder.Build(dialog)) {
    std::cerr << "dialog_fit_check: the dialog's windows cannot be made (no desktop)\n";
    std::exit(2);
  }
  int misfits = 0;
  int checked = 0;
  for (const auto& [control, window] : windows.Windows()) {
    bool wraps = false;
    if (control == &dialog || control->Caption().empty() || !HasCheckedCaption(*control, wraps)) {
      continue;
    }
    ++checked;
    const TCaptionFit fit =
        CheckCaption(window, control->Caption(), wraps, DesignBounds(windows, *control));
    if (fit.Fits) continue;
    ++misfits;
    std::cout << language << ": " << control->Name() << " \"" << control->Caption() << "\" "
              << fit.Problem << "\n";
  }
  std::cout << language << ": " << checked - misfits << " of " << checked << " captions fit\n";
  DestroyWindow(windows.FormWindow());
  return misfits;
}

TLangControl* LanguageControl(const TComponent& dialog) {
  for (int i = 0; i < dialog.ComponentCount(); ++i) {
    if (auto* control = dynamic_cast<TLangControl*>(dialog.Components(i))) return control;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::pair<std::string, std::string>> captions;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--caption" && i + 2 < argc) {
      captions.emplace_back(argv[i + 1], argv[i + 2]);
      i += 2;
    } else {
      std::cerr << "usage: dialog_fit_check [--caption <Component> <text>]...\n";
      return 2;
    }
  }
  StartupLanguageLibrary();
  Application().SetTitle(strings::kApplicationTitle);
  int misfits = 0;
  {
    std::unique_ptr<TfrmWendrixSetup> dialog(CreateSetupDialog(&Application()));
    TLangControl* languages = LanguageControl(*dialog);
    std::vector<std::string> names;
    if (languages) {
      TLanguageEntries* entries = languages->Manager().Languages();
      for (int i = 0; entries && i < entries->Count(); ++i)
        names.push_back(entries->Items(i)->Name());
    }
    if (names.empty()) names.push_back("(design)");
    for (const std::string& name : names) {
      if (languages) languages->SetLanguage(name);
      for (const auto& [component, caption] : captions) {
        if (auto* control = dynamic_cast<TControl*>(dialog->FindComponent(component))) {
          control->SetCaption(caption);
        }
      }
      misfits += CheckLanguage(*dialog, name);
    }
  }
  ShutdownLanguageLibrary();
  return misfits == 0 ? 0 : 1;
}
