#include "framework/ui/win32/PropertyMirror.h"
#include "framework/ui/win32/Win32Support.h"

#include <string>

#include "framework/rtti/LiveObjects.h"
#include "framework/ui/win32/FormMessages.h"
#include "framework/ui/win32/Layout.h"

namespace wdx::win32 {

void TPropertyMirror::Changed(TControl& control) {
  if (&control == &form_) {
    ApplyForm();
    return;
  }
  HWND window = windows_.WindowOf(&control);
  if (!window) return;
  const TWindowKind* kind = WindowKinds().Find(control);
  if (kind && kind->MirrorsWhenIdle && windows_.FormWindow()) {
    // Once for all the changes until the message loop turns: a list changed item by item is
    // brought in step once.
    if (idle_.insert(control.Handle()).second && idle_.size() == 1) {
      PostMessageW(windows_.FormWindow(), kMirrorMessage, 0, 0);
    }
    return;
  }
  Mirror(control, window, kind);
}

void TPropertyMirror::MirrorPending() {
  std::unordered_set<uint32_t> pending;
  pending.swap(idle_);
  for (uint32_t handle : pending) {
    // A control freed meanwhile is no longer found.
    auto* control = ObjectCast<TControl>(live_objects::Find(handle));
    HWND window = control ? windows_.WindowOf(control) : nullptr;
    if (window) Mirror(*control, window, WindowKinds().Find(*control));
  }
}

void TPropertyMirror::Mirror(TControl& control, HWND window, const TWindowKind* kind) {
  const bool wasUpdating = updating_;
  updating_ = true;
  if (kind && kind->Mirror) kind->Mirror(builder_.Context(), control, window);
  if ((IsWindowEnabled(window) != FALSE) != control.Enabled()) {
    EnableWindow(window, control.Enabled());
  }
  ApplyFonts(control);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  updating_ = wasUpdating;
}

void TPropertyMirror::ApplyForm() {
  HWND window = windows_.FormWindow();
  if (!window) return;
  if (form_.IsClosed()) {
    PostMessageW(window, kWakeMessage, 0, 0);
    return;
  }
  if (WindowText(window) != form_.Caption()) SetWindowTextW(window, Wide(form_.Caption()).c_str());
  builder_.PlaceForm(form_);
  builder_.ApplyReadingOrder(form_);
  builder_.ApplyIcons(form_);
  ApplyFonts(form_);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TPropertyMirror::DpiChanged(int dpi, const RECT& suggested) {
  const bool wasUpdating = updating_;
  updating_ = true;
  builder_.Rescale(form_, dpi, suggested);
  updating_ = wasUpdating;
}

void TPropertyMirror::ApplyFonts(const TControl& control) {
  if (HWND window = windows_.WindowOf(&control); window && &control != &form_) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(gdi_, control)), TRUE);
  }
  if (auto* windowed = ObjectCast<TWinControl>(&control)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) ApplyFonts(*windowed->Controls(i));
  }
}

}  // namespace wdx::win32
