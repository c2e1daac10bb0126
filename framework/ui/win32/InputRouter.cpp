#include "framework/ui/win32/InputRouter.h"

#include <string>
#include <vector>

#include "framework/ui/DialogButtons.h"
#include "framework/ui/win32/FormMessages.h"
#include "framework/ui/win32/Painting.h"
#include "framework/ui/win32/WindowKinds.h"

namespace wdx::win32 {

namespace {

// The routers of the forms shown, the one made last at the end.
std::vector<TInputRouter*> g_routers;

// The router of the form that holds the window; the last one for a window no form holds yet.
TInputRouter* RouterOf(HWND window) {
  for (auto router = g_routers.rbegin(); router != g_routers.rend(); ++router) {
    if ((*router)->Serves(window)) return *router;
  }
  return g_routers.empty() ? nullptr : g_routers.back();
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TInputRouter* router = RouterOf(window);
  if (!router) return DefWindowProcW(window, message, wParam, lParam);
  return router->FormMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TInputRouter* router = RouterOf(window);
  if (!router) return DefWindowProcW(window, message, wParam, lParam);
  return router->ContainerMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ForwardingProc, 1);
  TInputRouter* router = RouterOf(window);
  if (!router) return DefSubclassProc(window, message, wParam, lParam);
  return router->ForwardedMessage(window, message, wParam, lParam);
}

}  // namespace

TInputRouter::TInputRouter(TCustomForm& form, TWindowMap& windows, TGdiCache& gdi, TPageTabs& tabs,
                           TKeyboardNavigation& keyboard, TPropertyMirror& mirror, bool quits)
    : form_(form),
      windows_(windows),
      gdi_(gdi),
      tabs_(tabs),
      keyboard_(keyboard),
      mirror_(mirror),
      quits_(quits) {
  g_routers.push_back(this);
}

TInputRouter::~TInputRouter() {
  std::erase(g_routers, this);
}

bool TInputRouter::Serves(HWND window) const {
  return windows_.IsOurs(window);
}

TWindowProcedures TInputRouter::Procedures() {
  return {FormProc, ContainerProc, ForwardingProc};
}

void TInputRouter::QueueActivation() {
  HWND window = windows_.FormWindow();
  if (activationQueued_ || !window) return;
  activationQueued_ = true;
  PostMessageW(window, kActivateMessage, 0, 0);
}

LRESULT TInputRouter::FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ChildNotification(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      return FillBackground(gdi_, window, reinterpret_cast<HDC>(wParam), form_.EffectiveColor());
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (windows_.IsOurs(GetFocus())) lastFocus_ = GetFocus();
      } else {
        QueueActivation();
        if (lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_)) {
          SetFocus(lastFocus_);
        } else {
          keyboard_.FocusFirst();
        }
        return 0;
      }
      break;
    case kActivateMessage:
      DispatchEvent(&form_, [&] { form_.Activate(); });
      return 0;
    case kWakeMessage:
      return 0;
    case kMirrorMessage:
      mirror_.MirrorPending();
      return 0;
    case DM_GETDEFID:
      if (HWND button = windows_.WindowOf(DefaultButton(form_))) {
        return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
      }
      return 0;
    case WM_COMMAND:
      // Escape, from the dialog manager.
      if (LOWORD(wParam) == IDCANCEL) {
        PressButton(CancelButton(form_));
        AfterEvent();
        return 0;
      }
      break;
    case WM_DPICHANGED:
      mirror_.DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // Only a form with a system menu has a close box that the desktop may press.
      if (form_.BorderIcons().Contains(biSystemMenu)) {
        DispatchEvent(&form_, [&] { form_.Close(); });
      }
      return 0;
    case WM_DESTROY:
      windows_.SetFormWindow(nullptr);
      if (quits_) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TInputRouter::ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ChildNotification(message, wParam, lParam, result)) return result;
  TControl* control = windows_.ControlOf(window);
  switch (message) {
    case WM_ERASEBKGND:
      if (!control) break;
      return FillBackground(gdi_, window, reinterpret_cast<HDC>(wParam), control->EffectiveColor());
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
      if (kind && kind->Paint) kind->Paint(Context(), *control, window, dc);
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Group boxes and tab controls pass their children's notifications on.
LRESULT TInputRouter::ForwardedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ChildNotification(message, wParam, lParam, result)) return result;
  // A group box draws only its frame and caption; its inside shows its own colour.
  if (message == WM_ERASEBKGND) {
    TControl* control = windows_.ControlOf(window);
    const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
    if (kind && kind->FillsBackground) {
      return FillBackground(gdi_, window, reinterpret_cast<HDC>(wParam), control->EffectiveColor());
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// The notifications that controls send to their parent window; true when handled.
bool TInputRouter::ChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      auto* window = reinterpret_cast<HWND>(lParam);
      // A window inside a control's (a radio group's button) speaks for that control.
      TControl* control = window ? windows_.ControlAround(window) : nullptr;
      if (!control) return false;
      const TWindowKind* kind = WindowKinds().Find(*control);
      // The mirror's own changes and half a character being typed are not the user's doing.
      if (kind && kind->Command && !mirror_.Updating() && window != halfTyped_) {
        kind->Command(Context(), *control, window, HIWORD(wParam));
        AfterEvent();
      }
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      TControl* control = windows_.ControlOf(header->hwndFrom);
      const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
      if (!kind || !kind->Notify) return false;
      if (!mirror_.Updating() && kind->Notify(Context(), *control, *header)) AfterEvent();
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ControlColors(gdi_, windows_, message, reinterpret_cast<HDC>(wParam),
                           reinterpret_cast<HWND>(lParam), result);
  }
  return false;
}

void TInputRouter::BeforeDispatch(const MSG& message) {
  const bool typed = message.message == WM_CHAR;
  HWND pending = halfTyped_;
  halfTyped_ = typed && IS_HIGH_SURROGATE(message.wParam) && windows_.IsOurs(message.hwnd)
                   ? message.hwnd
                   : nullptr;
  // The second half completes the pair and its change gives the whole text; anything else leaves
  // the half alone in the edit, which is then its text.
  if (pending && !(typed && message.hwnd == pending && IS_LOW_SURROGATE(message.wParam))) {
    TextChanged(pending);
  }
}

void TInputRouter::TextChanged(HWND window) {
  TControl* control = windows_.ControlOf(window);
  const TWindowKind* kind = control ? WindowKinds().Find(*control) : nullptr;
  if (!kind || !kind->Command || !IsWindow(window) || mirror_.Updating()) return;
  kind->Command(Context(), *control, window, EN_CHANGE);
  AfterEvent();
}

TWindowContext& TInputRouter::Context() {
  return mirror_.Context();
}

void TInputRouter::AfterEvent() {
  HWND window = windows_.FormWindow();
  if (form_.IsClosed() && window) PostMessageW(window, kWakeMessage, 0, 0);
}

}  // namespace wdx::win32
