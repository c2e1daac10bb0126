// The caret and the visible part of a text of several lines (a memo), and the keys that edit it:
// those of a one-line text (LineEdit.h) within a line, and Up, Down, PageUp and PageDown between
// lines, Enter to break a line, Backspace and Delete to join two, Left and Right across the ends.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "framework/ui/terminal/Key.h"

namespace wdx::terminal {

struct TTextArea {
  int Line = 0;       // the caret's line
  size_t Offset = 0;  // its byte offset in that line, at a character boundary
  int TopLine = 0;    // the first line shown
  int LeftCells = 0;  // the first cell of every line shown

  // Moves the caret or edits `lines` (at least one line, "" for an empty text) for an editing
  // key; `page` is how many lines PageUp and PageDown go. False for a key it does not take;
  // `changed` tells whether the lines changed.
  bool Key(std::vector<std::string>& lines, const TKey& key, bool readOnly, int page,
           bool& changed);
  // Scrolls a view of `rows` lines of `columns` cells so that it shows the caret.
  void Fit(const std::vector<std::string>& lines, int rows, int columns);
};

}  // namespace wdx::terminal
