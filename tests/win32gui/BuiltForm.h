// A form's windows as the window front-end builds them, at a DPI of the test's choosing, with
// window procedures that add nothing of their own; destroyed with the object.
#pragma once

#include "framework/controls/Form.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/GdiCache.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

struct TBuiltForm {
  // `dpi` 0: the DPI of the monitor the form stands on.
  explicit TBuiltForm(TCustomForm& form, int dpi = 0);
  ~TBuiltForm();
  TBuiltForm(const TBuiltForm&) = delete;
  TBuiltForm& operator=(const TBuiltForm&) = delete;

  TWindowMap Windows;
  TGdiCache Gdi{Windows.Scale()};
  TPageTabs Tabs{Windows};
  TWidgetBuilder Builder;
  bool Built = false;
};

}  // namespace wdx::win32
