#include "framework/ui/win32/PropertyMirror.h"
#include "framework/ui/win32/Win32Support.h"

#include <string>

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
  const bool wasUpdating = updating_;
  updating_ = true;
  if (auto* page = dynamic_cast<TTabSheet*>(&control)) {
    if (auto* pages = page->PageControl()) {
      tabs_.Rebuild(*pages);
      // The tabs draw in their captions' font; the pages' controls follow below.
      if (HWND tabs = windows_.WindowOf(pages)) {
        SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(gdi_, *pages)), TRUE);
      }
    }
  } else if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
    builder_.MoveToDesign(control, window);
    tabs_.Rebuild(*pages);
  } else {
    if (!dynamic_cast<TImage*>(&control) && WindowText(window) != control.Caption()) {
      SetWindowTextW(window, Wide(control.Caption()).c_str());
    }
    builder_.MoveToDesign(control, window);
    if (auto* label = dynamic_cast<TLabel*>(&control)) {
      const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) & ~LONG_PTR{SS_TYPEMASK};
      SetWindowLongPtrW(window, GWL_STYLE,
                        style | (label->WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP));
      FitLabel(windows_, gdi_, *label);
    } else if (auto* button = dynamic_cast<TButton*>(&control)) {
      SendMessageW(window, BM_SETSTYLE, button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
      SendMessageW(window, EM_SETREADONLY, edit->ReadOnly(), 0);
    } else if (auto* image = dynamic_cast<TImage*>(&control)) {
      builder_.ApplyPicture(*image);
    }
    const bool shown = control.Visible();
    if (((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0) != shown) {
      ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
    }
  }
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
  if (auto* windowed = dynamic_cast<const TWinControl*>(&control)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) ApplyFonts(*windowed->Controls(i));
  }
}

}  // namespace wdx::win32
