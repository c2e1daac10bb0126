// The native windows of one shown form: which window shows which control, and back.
#pragma once

#include <map>
#include <string>

#include "framework/controls/Control.h"

// After the framework's headers: windows.h defines macros (RGB, DEFAULT_CHARSET) with the names
// of the framework's own constants.
#include "framework/ui/win32/DisplayScale.h"

namespace wdx::win32 {

// The text that a window shows.
std::string WindowText(HWND window);

class TWindowMap {
 public:
  void Register(TControl* control, HWND window);
  HWND WindowOf(const TControl* control) const;
  TControl* ControlOf(HWND window) const;
  const std::map<TControl*, HWND>& Windows() const { return windows_; }

  HWND FormWindow() const { return formWindow_; }
  void SetFormWindow(HWND window) { formWindow_ = window; }
  // Whether the window is the form's own or lies within it.
  bool IsOurs(HWND window) const;
  // The control of `window` or of the nearest window around it that shows one, or nullptr.
  TControl* ControlAround(HWND window) const;

  // The scale the windows show the form at.
  const TDisplayScale& Scale() const { return scale_; }
  void SetScale(const TDisplayScale& scale) { scale_ = scale; }

 private:
  HWND formWindow_ = nullptr;
  TDisplayScale scale_;
  std::map<TControl*, HWND> windows_;
  std::map<HWND, TControl*> controls_;
};

}  // namespace wdx::win32
