// Whether every caption of a form is the text its window holds, every character of it, and fits
// its control in that control's font, as the window shows it at the windows' scale:
// - a single-line label within its client width, and under no sibling window (a label that sizes
//   itself grows to its text and may run under its neighbour);
// - a wrapped label within its client height, and within the height the form designs for it (a
//   label that sizes itself grows downwards, onto lines it was not meant to have);
// - a push button's caption inside the button's border;
// - a group box's caption inside its frame, past the caption's indent at either end;
// - a page control's tabs within the tab control's width;
// - the form's caption within its title bar.
#pragma once

#include <string>
#include <vector>

#include "framework/controls/Form.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/WindowMap.h"

namespace wdx::win32 {

struct TCaptionMisfit {
  std::string Control;
  std::string Caption;
  std::string Problem;  // what does not fit where
};

struct TCaptionFits {
  int Checked = 0;
  std::vector<TCaptionMisfit> Misfits;
};

TCaptionFits CheckCaptions(const TCustomForm& form, const TWindowMap& windows);

}  // namespace wdx::win32
