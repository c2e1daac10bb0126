// The caret and the visible part of a one-line text field, and the keys that edit its text. The
// dialog's edits and the file dialog's name field share it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "framework/ui/terminal/Key.h"

namespace wdx::terminal {

struct TLineEdit {
  // Byte offsets into the UTF-8 text, at character boundaries (CellText.h).
  size_t Cursor = 0;  // the caret stands before this character
  size_t Scroll = 0;  // the first character shown

  // Moves the caret or changes the text for an editing key: Left, Right, Home, End, Backspace,
  // Delete or a printable character. `commit` stores a changed text. False for any other key.
  bool Key(const std::string& text, const TKey& key, bool readOnly,
           const std::function<void(const std::string&)>& commit);

  // Scrolls a field `width` cells wide over `text` so that it shows the caret and as much of the
  // text as fits: the cell after the last character is the last one ever left empty.
  void Fit(const std::string& text, size_t width);
};

}  // namespace wdx::terminal
