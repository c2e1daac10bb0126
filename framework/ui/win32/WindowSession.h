// One form shown in real windows, from its building to its closing: the builder makes the windows,
// the router turns their messages into the controls' events, the mirror follows property changes,
// and the modal boxes, the file dialog and forms shown modally open over the form. A session
// shows a form shown modally in a session of its own over it, its windows owned by the form's and
// the form's disabled meanwhile.
#pragma once

#include "framework/controls/Form.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/InputRouter.h"
#include "framework/ui/win32/KeyboardNavigation.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/PropertyMirror.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TWindowSession {
 public:
  // `outer`: the session of the form this one is shown modally over, or nullptr.
  explicit TWindowSession(TCustomForm& form, TWindowSession* outer = nullptr);
  ~TWindowSession();
  TWindowSession(const TWindowSession&) = delete;
  TWindowSession& operator=(const TWindowSession&) = delete;

  // Shows the form and runs its messages until it closes; the program's exit code (2: no desktop
  // to show it on).
  int Run();

 private:
  // Puts this session's presenters and change hook in place.
  void Install();
  // A property change: this form's controls' to the mirror, others' to the session beneath.
  void Changed(TControl& control);

  TCustomForm& form_;
  TWindowSession* outer_;
  TWindowMap windows_;
  TGdiCache gdi_{windows_.Scale()};
  TPageTabs tabs_;
  TWidgetBuilder builder_;
  TPropertyMirror mirror_;
  TKeyboardNavigation keyboard_;
  TInputRouter router_;
};

}  // namespace wdx::win32
