// Builds a form's native windows from its component tree: the form's window, then one child
// window per control in window order, each in its design place, font and state. It also
// applies the pictures (the form's icons, an image's icon), which change after creation too.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/PageTabs.h"
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

  // Creates the form's window and every child; false when not even the form's window can be
  // made (no desktop to show it on).
  bool Build(TCustomForm& form);

  // Moves a control's window to its design place, when it is not there.
  void MoveToDesign(const TControl& control, HWND window);
  void ApplyIcons(const TCustomForm& form);
  void ApplyPicture(const TImage& image);

 private:
  void RegisterClasses();
  void CreateChildren(const TWinControl& parent);
  void CreateControl(TControl& control);

  TWindowMap& windows_;
  TGdiCache& gdi_;
  TPageTabs& tabs_;
  TWindowProcedures procedures_;
  int nextId_;
  std::vector<uint8_t> formIconData_;
  std::map<const TImage*, std::vector<uint8_t>> pictureData_;
};

}  // namespace wdx::win32
