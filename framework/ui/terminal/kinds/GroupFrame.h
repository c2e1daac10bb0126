// A group box's frame and caption, which a radio group draws too.
#pragma once

#include "framework/ui/terminal/TerminalKinds.h"

namespace wdx {
class TGroupBox;
}

namespace wdx::terminal::kinds {

// Draws the frame with the caption in its top line; the cells inside it, clipped.
TCellRect DrawGroupFrame(TDialogView& view, const TGroupBox& group, const TPlace& place);

}  // namespace wdx::terminal::kinds
