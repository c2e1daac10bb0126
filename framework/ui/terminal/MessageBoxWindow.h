// The terminal front-end's message box: the text with the icon of its kind, and a row of
// buttons. Left, Right, Up, Down, Tab and Shift+Tab choose a button, Enter and Space press it,
// the first letter of a button presses that one, and Escape answers Cancel, or the only button of
// a box with one.
#pragma once

#include "framework/controls/MessageBoxes.h"

namespace wdx::terminal {

class TModalHost;

TModalResult RunMessageBox(TModalHost& host, const TMessageBox& box);

}  // namespace wdx::terminal
