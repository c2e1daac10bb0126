// A form's windows as the window front-end's session makes them, with its mirror, keyboard and
// router, so that the windows' notifications reach the controls; destroyed with the object.
#pragma once

#include "framework/controls/Form.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/InputRouter.h"

namespace wdx::win32 {

struct TRoutedForm {
  explicit TRoutedForm(TCustomForm& form)
      : builder(windows, gdi, tabs, TInputRouter::Procedures()),
        mirror(form, windows, gdi, tabs, builder),
        keyboard(form, builder.Context()),
        router(form, windows, gdi, tabs, keyboard, mirror) {
    TControl::SetChangeHook([this](TControl& control) { mirror.Changed(control); });
    builder.Build(form);
  }
  ~TRoutedForm() {
    TControl::SetChangeHook(nullptr);
    if (windows.FormWindow()) DestroyWindow(windows.FormWindow());
  }
  TRoutedForm(const TRoutedForm&) = delete;
  TRoutedForm& operator=(const TRoutedForm&) = delete;

  // Hands the messages waiting to their windows.
  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  TWindowMap windows;
  TGdiCache gdi{windows.Scale()};
  TPageTabs tabs{windows};
  TWidgetBuilder builder;
  TPropertyMirror mirror;
  TKeyboardNavigation keyboard;
  TInputRouter router;
};

}  // namespace wdx::win32
