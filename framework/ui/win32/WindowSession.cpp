#include "framework/ui/win32/WindowSession.h"

#include <iostream>
#include <string>

#include "framework/controls/Dialogs.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/ui/win32/ModalDialogs.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32 {

TWindowSession::TWindowSession(TCustomForm& form, TWindowSession* outer)
    : form_(form),
      outer_(outer),
      tabs_(windows_),
      builder_(windows_, gdi_, tabs_, TInputRouter::Procedures()),
      mirror_(form, windows_, gdi_, tabs_, builder_),
      keyboard_(form, builder_.Context()),
      router_(form, windows_, gdi_, tabs_, keyboard_, mirror_, outer == nullptr) {
  INITCOMMONCONTROLSEX common{sizeof(common), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  Install();
}

TWindowSession::~TWindowSession() {
  if (outer_) {
    outer_->Install();
    return;
  }
  TControl::SetChangeHook(nullptr);
  SetMessageBoxPresenter(nullptr);
  TOpenDialog::SetPresenter(nullptr);
  TCustomForm::SetModalPresenter(nullptr);
}

void TWindowSession::Install() {
  SetMessageBoxPresenter(
      [this](const TMessageBox& box) { return PresentMessageBox(windows_.FormWindow(), box); });
  TOpenDialog::SetPresenter([this](TOpenDialog& dialog, std::string& chosen) {
    return PresentOpenDialog(windows_.FormWindow(), dialog, chosen);
  });
  TCustomForm::SetModalPresenter([this](TCustomForm& form) { TWindowSession(form, this).Run(); });
  TControl::SetChangeHook([this](TControl& control) { Changed(control); });
}

void TWindowSession::Changed(TControl& control) {
  if (ParentForm(&control) == &form_) {
    mirror_.Changed(control);
  } else if (outer_) {
    outer_->Changed(control);
  }
}

int TWindowSession::Run() {
  HWND owner = outer_ ? outer_->windows_.FormWindow() : nullptr;
  if (!builder_.Build(form_, 0, owner)) {
    std::cerr << "The dialog's window cannot be created: there is no desktop to show it on; "
                 "set WENDRIX_UI=script:<file> to run it from a script.\n";
    return 2;
  }
  if (owner) EnableWindow(owner, FALSE);
  builder_.ApplyReadingOrder(form_);
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

  // The form beneath takes the activation back before this one's window goes.
  if (owner) EnableWindow(owner, TRUE);
  if (windows_.FormWindow()) DestroyWindow(windows_.FormWindow());
  if (owner) {
    SetActiveWindow(owner);
    return 0;
  }
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return 0;
}

}  // namespace wdx::win32
