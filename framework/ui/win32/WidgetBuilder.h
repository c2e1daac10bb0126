// Builds a form's native windows from its component tree: the form's window, then one child
// window per control in window order, each as its kind (WindowKinds.h) makes it, in its design
// place, font and state. It also applies the pictures (the form's icons, an image's icon), which
// change after creation too.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/WindowKinds.h"
#include "framework/ui/win32/WindowMap.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32 {

// The window procedures of the front-end's own windows.
struct TWindowProcedures {
  WNDPROC Form = nullptr;             // the form's window
  WNDPROC Container = nullptr;        // panels, tab sheets and other containers
  SUBCLASSPROC Forwarding = nullptr;  // group boxes and tab controls pass notifications on
};

class TWidgetBuilder {
 public:
  TWidgetBuilder(TWindowMap& windows, TGdiCache& gdi, TPageTabs& tabs,
                 const TWindowProcedures& procedures);

  // Creates the form's window and every child at the DPI of the monitor the form stands on (or
  // at `dpi`, when given), owned by `owner` (a form shown modally over it); false when not even
  // the form's window can be made (no desktop to show it on).
  bool Build(TCustomForm& form, int dpi = 0, HWND owner = nullptr);

  // Gives the form's window the form's size; moves it to the designed place only when the form's
  // position changed since it was placed, so that a window the user moved stays where it is.
  void PlaceForm(const TCustomForm& form);
  // Lays the form out again at another DPI, its window at the suggested place.
  void Rescale(const TCustomForm& form, int dpi, const RECT& suggested);

  // Gives every window of the form the form's reading order: mirrored (the origin of each window
  // at its right, as the system mirrors a right-to-left application) and reading right to left, or
  // neither; each control is then moved to its design place in the new layout. Nothing happens when
  // the windows read so already.
  void ApplyReadingOrder(const TCustomForm& form);
  // Moves a control's window to its design place, when it is not there.
  void MoveToDesign(const TControl& control, HWND window);
  void ApplyIcons(const TCustomForm& form);
  void ApplyPicture(const TImage& image);

  // Makes the window of a control whose parent's window is made, and its controls' windows.
  void CreateControl(TControl& control);
  // Makes the windows of a container's controls, in tab order.
  void CreateChildren(const TWinControl& parent);
  // What the kinds work with.
  TWindowContext& Context() { return context_; }

 private:
  // An icon as it was last given to a window: its bytes and its size in pixels (the form's: the
  // DPI).
  struct TShownIcon {
    std::vector<uint8_t> Data;
    int Size = 0;
  };

  void RegisterClasses();
  // Each control's font, place, size and picture at the windows' scale, the control's own
  // controls after it.
  void Relayout(const TControl& control);
  // Each control's window at its design place, whatever place it has now.
  void Reposition(const TControl& control);

  TWindowMap& windows_;
  TGdiCache& gdi_;
  TPageTabs& tabs_;
  TWindowProcedures procedures_;
  TWindowContext context_;
  int nextId_;
  int32_t placedLeft_ = 0;
  int32_t placedTop_ = 0;
  TShownIcon formIcon_;
  std::map<const TImage*, TShownIcon> pictures_;
};

}  // namespace wdx::win32
