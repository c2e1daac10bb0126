// A one-line text field on the screen, shared by the dialog's edits and the file dialog's name.
#pragma once

#include <string>

#include "framework/ui/terminal/Canvas.h"
#include "framework/ui/terminal/LineEdit.h"

namespace wdx::terminal {

// Fills `area` in `look` and shows as much of `text` from column `start` as reaches the area's
// right edge; a focused field scrolls to its caret and places the cursor there, any other shows
// the text from its start.
void DrawField(TCanvas& screen, TLineEdit& caret, const std::string& text, const TCellRect& area,
               int start, TLook look, unsigned emphasis, const TCellRect& clip, bool focused);

}  // namespace wdx::terminal
