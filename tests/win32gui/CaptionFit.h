// Whether a caption fits its control in that control's font, as the window shows it:
// - a single line must lie within the client width, and no sibling window may cover it (a label
//   that sizes itself grows to its text and may run under its neighbour);
// - wrapped text must lie within the client height, and within the height the form designs for
//   the control (a label that sizes itself grows downwards, onto lines it was not meant to have).
#pragma once

#include <string>

#include <windows.h>

namespace wdx::win32 {

struct TCaptionFit {
  bool Fits = true;
  std::string Problem;  // what does not fit, when something does not
};

// `wraps`: the window wraps its text (a word-wrapping label); `design`: the control's design
// rectangle in its parent's client coordinates.
TCaptionFit CheckCaption(HWND window, const std::string& text, bool wraps, const RECT& design);

}  // namespace wdx::win32
