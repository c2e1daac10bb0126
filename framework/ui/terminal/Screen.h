// The character screen of the terminal front-end, over curses. Texts are the program's UTF-8
// strings; the screen shows them in the terminal's own character set, in the cells CellText.h
// gives them.
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

class TScreen {
 public:
  TScreen() = default;
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;
  ~TScreen();

  void Start();
  void Stop();
  bool Started() const { return started_; }

  int Rows() const;
  int Columns() const;
  TCellRect Whole() const { return {0, 0, Rows() - 1, Columns() - 1}; }

  // Starts a new picture; nothing reaches the terminal before Show.
  void Erase();
  void Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
            const TCellRect& clip);
  void Fill(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip);
  void Frame(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip);
  // Where the cursor blinks after Show; hidden unless placed.
  void PlaceCursor(int row, int col);
  void Show();

 private:
  void Attributes(TLook look, unsigned emphasis);
  // One cell: a character and the combining marks that follow it, ended by 0.
  void Put(int row, int col, const wchar_t* cell, const TCellRect& clip);

  bool started_ = false;
  bool colours_ = false;
  int cursorRow_ = -1;
  int cursorCol_ = -1;
};

}  // namespace wdx::terminal
