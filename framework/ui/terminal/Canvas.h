// What the terminal front-end draws on: a rectangle of character cells, each with a look and
// emphasis. The terminal's screen (Screen.h) is one; the dialog and its controls draw on any, so
// that they can be drawn where no terminal is. Texts are the program's UTF-8 strings, in the cells
// CellText.h gives them.
#pragma once

#include <string>

namespace wdx::terminal {

// A rectangle of character cells; all four edges are inside it.
struct TCellRect {
  int Top = 0;
  int Left = 0;
  int Bottom = -1;
  int Right = -1;

  bool Contains(int row, int col) const {
    return row >= Top && row <= Bottom && col >= Left && col <= Right;
  }
  TCellRect Intersect(const TCellRect& other) const;
};

// What a cell shows, by role; the screen picks colours for each where the terminal has them.
enum class TLook {
  Normal,
  Title,         // the caption bar of a dialog
  Field,         // an edit's text
  FocusedField,  // the text of the edit that has the focus
  Note,          // a panel's note, light yellow where the terminal has colours
  GroupCaption,  // a group box's caption
  Box,           // the inside of a message box or file dialog
};

// Extra attributes, combined with the look.
enum TEmphasis : unsigned {
  emNone = 0,
  emBold = 1,
  emReverse = 2,
  emDim = 4,
  emUnderline = 8,
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  virtual int Rows() const = 0;
  virtual int Columns() const = 0;
  TCellRect Whole() const { return {0, 0, Rows() - 1, Columns() - 1}; }

  // Draw within `clip` (and the canvas).
  virtual void Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
                    const TCellRect& clip) = 0;
  virtual void Fill(const TCellRect& area, TLook look, unsigned emphasis,
                    const TCellRect& clip) = 0;
  virtual void Frame(const TCellRect& area, TLook look, unsigned emphasis,
                     const TCellRect& clip) = 0;
  // Where the cursor blinks once the picture is shown; hidden unless placed.
  virtual void PlaceCursor(int row, int col) = 0;
};

}  // namespace wdx::terminal
