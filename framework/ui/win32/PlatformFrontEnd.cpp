// The window front-end: real windows made from the form's component tree and kept in step with
// the controls' properties. A session puts its parts together for one form: the builder makes
// the windows, the router turns their messages into the controls' events, the mirror follows
// property changes, and the modal boxes and the file dialog open over the form.
#include "framework/ui/PlatformFrontEnd.h"

#include <iostream>
#include <string>

#include "framework/controls/Dialogs.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/InputRouter.h"
#include "framework/ui/win32/KeyboardNavigation.h"
#include "framework/ui/win32/ModalDialogs.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/PropertyMirror.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx {

namespace {

using namespace win32;

class TWindowSession {
 public:
  explicit TWindowSession(TCustomForm& form)
      : form_(form),
        tabs_(windows_),
        builder_(windows_, gdi_, tabs_, TInputRouter::Procedures()),
        mirror_(form, windows_, gdi_, tabs_, builder_),
        keyboard_(form, builder_.Context()),
        router_(form, windows_, gdi_, tabs_, keyboard_, mirror_) {
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    SetMessageBoxPresenter(
        [this](const TMessageBox& box) { return PresentMessageBox(windows_.FormWindow(), box); });
    TOpenDialog::SetPresenter([this](TOpenDialog& dialog, std::string& chosen) {
      return PresentOpenDialog(windows_.FormWindow(), dialog, chosen);
    });
    TControl::SetChangeHook([this](TControl& control) { mirror_.Changed(control); });
  }
  ~TWindowSession() {
    TControl::SetChangeHook(nullptr);
    SetMessageBoxPresenter(nullptr);
    TOpenDialog::SetPresenter(nullptr);
  }
  TWindowSession(const TWindowSession&) = delete;
  TWindowSession& operator=(const TWindowSession&) = delete;

  int Run() {
    if (!builder_.Build(form_)) {
      std::cerr << "The dialog's window cannot be created: there is no desktop to show it on; "
                   "set WENDRIX_UI=script:<file> to run it from a script.\n";
      return 2;
    }
    HWND window = windows_.FormWindow();
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    // Activation normally arrives with WM_ACTIVATE; a window that the desktop shows without
    // activating it still gets its activation event once.
    router_.QueueActivation();
    if (!windows_.IsOurs(GetFocus())) keyboard_.FocusFirst();

    MSG message;
    while (!form_.IsClosed()) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) break;
      if (keyboard_.PreTranslate(message)) continue;
      router_.BeforeDispatch(message);
      if (windows_.FormWindow() && IsDialogMessageW(windows_.FormWindow(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }

    if (windows_.FormWindow()) DestroyWindow(windows_.FormWindow());
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return 0;
  }

 private:
  TCustomForm& form_;
  TWindowMap windows_;
  TGdiCache gdi_{windows_.Scale()};
  TPageTabs tabs_;
  TWidgetBuilder builder_;
  TPropertyMirror mirror_;
  TKeyboardNavigation keyboard_;
  TInputRouter router_;
};

class TWindowFrontEnd : public TFrontEnd {
 public:
  int Run(TCustomForm& form) override { return TWindowSession(form).Run(); }
};

}  // namespace

// The system's own file-open dialog browses the file system itself.
std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode, TFileBrowsing /*files*/) {
  exitCode = 0;
  return std::make_unique<TWindowFrontEnd>();
}

}  // namespace wdx
