// The terminal front-end: shows a form as a character dialog drawn from its controls, operated
// with the keyboard, with its own message boxes and file-open dialog.
//
// Geometry comes from the controls' pixel rectangles: a character cell is 5 pixels wide and
// 13 pixels (one text line of the dialog font) high. Tab and Shift+Tab move through edits,
// buttons and tab strips in tab order; Left and Right on a tab strip switch pages; Enter presses
// the focused button or else the default button, Space the focused button, and Escape the
// enabled button named btCancel.
#pragma once

#include "framework/ui/FrontEnd.h"
#include "framework/ui/PlatformFrontEnd.h"

namespace wdx {

class TTerminalFrontEnd : public TFrontEnd {
 public:
  explicit TTerminalFrontEnd(TFileBrowsing files) : files_(std::move(files)) {}
  int Run(TCustomForm& form) override;

 private:
  class Session;
  TFileBrowsing files_;
};

}  // namespace wdx
