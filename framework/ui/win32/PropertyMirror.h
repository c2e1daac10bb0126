// Keeps the native windows in step with the controls: when a control's property changes, its
// kind brings its window in step (caption, place, style, items, picture), and the mirror its state
// and font (a language switch repaints every caption at once).
#pragma once

#include <cstdint>
#include <unordered_set>

#include "framework/controls/Form.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

class TPropertyMirror {
 public:
  TPropertyMirror(TCustomForm& form, TWindowMap& windows, TGdiCache& gdi, TPageTabs& tabs,
                  TWidgetBuilder& builder)
      : form_(form), windows_(windows), gdi_(gdi), tabs_(tabs), builder_(builder) {}

  // The change hook of the controls. A control whose kind mirrors when idle is brought in step
  // once the message loop turns (MirrorPending, on kMirrorMessage).
  void Changed(TControl& control);
  void MirrorPending();
  // The form's window moved to a monitor of another DPI: the form is laid out again at that DPI,
  // its window at the place the system suggests.
  void DpiChanged(int dpi, const RECT& suggested);
  // True while the mirror itself changes windows, so that their notifications are not taken for
  // the user's.
  bool Updating() const { return updating_; }
  // What the kinds work with.
  TWindowContext& Context() { return builder_.Context(); }

 private:
  void Mirror(TControl& control, HWND window, const TWindowKind* kind);
  void ApplyForm();
  void ApplyFonts(const TControl& control);

  TCustomForm& form_;
  TWindowMap& windows_;
  TGdiCache& gdi_;
  TPageTabs& tabs_;
  TWidgetBuilder& builder_;
  bool updating_ = false;
  std::unordered_set<uint32_t> idle_;  // the handles of the controls to bring in step when idle
};

}  // namespace wdx::win32
