// The terminal front-end: shows a form as a character dialog drawn from its controls, operated
// with the keyboard, with its own message boxes and file-open dialog.
//
// Its parts: the screen (Screen) and the keyboard (Keyboard, KeyDecoder) over curses; the dialog
// drawn from the controls (DialogView) with its focus (DialogFocus, LineEdit) and keys
// (DialogKeys); the modal windows over it (ModalWindow, MessageBoxWindow, OpenDialogWindow,
// FileList). A terminal too small for the dialog says what it needs, and Escape then leaves.
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
