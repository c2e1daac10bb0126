// Routes what happens to the native windows to the controls' events: each control's notifications
// to its kind (WindowKinds.h: a button's click, an edit's text change, as UTF-8 whatever is typed,
// a tab control's change of tab), and the form's activation, its close box and the cancel command,
// and a move to a monitor of another DPI. It owns the window procedures of the front-end's
// windows; each router serves the windows of its form.
#pragma once

#include "framework/controls/Form.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/KeyboardNavigation.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/PropertyMirror.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TInputRouter {
 public:
  // `quits`: the end of the form's window ends the message loop (not so for a form shown modally
  // over another).
  TInputRouter(TCustomForm& form, TWindowMap& windows, TGdiCache& gdi, TPageTabs& tabs,
               TKeyboardNavigation& keyboard, TPropertyMirror& mirror, bool quits = true);
  // The messages of the form's windows reach this router from now until it is destroyed; those of
  // windows no router has yet (a window being made), the router made last.
  ~TInputRouter();
  TInputRouter(const TInputRouter&) = delete;
  TInputRouter& operator=(const TInputRouter&) = delete;

  // The procedures to create the windows with.
  static TWindowProcedures Procedures();
  // Whether the window is the form's or lies within it.
  bool Serves(HWND window) const;

  // Runs the form's activation event once, when the message loop next turns.
  void QueueActivation();

  // Sees each message before the dialog manager dispatches it. A character beyond U+FFFF is typed
  // as two WM_CHAR messages, one half of its UTF-16 pair each: the edit's text is given to its
  // control once the pair is whole, never with half a character.
  void BeforeDispatch(const MSG& message);

  LRESULT FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ForwardedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool ChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The text of an edit's window changed.
  void TextChanged(HWND window);
  void AfterEvent();
  TWindowContext& Context();

  TCustomForm& form_;
  TWindowMap& windows_;
  TGdiCache& gdi_;
  TPageTabs& tabs_;
  TKeyboardNavigation& keyboard_;
  TPropertyMirror& mirror_;
  bool quits_;
  HWND lastFocus_ = nullptr;
  bool activationQueued_ = false;
  HWND halfTyped_ = nullptr;  // the edit that holds the first half of a character being typed
};

}  // namespace wdx::win32
