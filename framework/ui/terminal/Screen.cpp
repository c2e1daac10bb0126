#include "framework/ui/terminal/Screen.h"

#include <algorithm>
#include <clocale>

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#include "framework/rtl/Utf8.h"
#include "framework/ui/terminal/CellText.h"

namespace wdx::terminal {

namespace {

enum Pair : short { kTitle = 1, kField, kFocusedField, kNote, kGroupCaption, kBox };

// The colour closest to light yellow (255, 255, 204) where the terminal has 256 colours.
constexpr short kLightYellow256 = 230;

}  // namespace

TScreen::~TScreen() {
  Stop();
}

void TScreen::Start() {
  if (started_) return;
  // Only the character type follows the user's locale: it says how the terminal encodes text.
  std::setlocale(LC_CTYPE, "");
  initscr();
  started_ = true;
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(25);
  colours_ = has_colors();
  if (colours_) {
    start_color();
    const short background = use_default_colors() == OK ? -1 : COLOR_BLACK;
    init_pair(kTitle, COLOR_WHITE, COLOR_BLUE);
    init_pair(kField, COLOR_BLACK, COLOR_CYAN);
    init_pair(kFocusedField, COLOR_BLACK, COLOR_WHITE);
    init_pair(kNote, COLOR_BLACK, COLORS >= 256 ? kLightYellow256 : COLOR_YELLOW);
    init_pair(kGroupCaption, COLOR_BLUE, background);
    init_pair(kBox, COLOR_BLACK, COLOR_WHITE);
  }
}

void TScreen::Stop() {
  if (!started_) return;
  endwin();
  started_ = false;
}

int TScreen::Rows() const {
  return LINES;
}

int TScreen::Columns() const {
  return COLS;
}

void TScreen::Erase() {
  attr_set(A_NORMAL, 0, nullptr);
  erase();
  cursorRow_ = cursorCol_ = -1;
}

void TScreen::Attributes(TLook look, unsigned emphasis) {
  attr_t attributes = A_NORMAL;
  short pair = 0;
  switch (look) {
    case TLook::Normal:
      break;
    case TLook::Title:
      pair = kTitle;
      if (!colours_) attributes |= A_REVERSE;
      break;
    case TLook::Field:
      pair = kField;
      if (!colours_) attributes |= A_UNDERLINE;
      break;
    case TLook::FocusedField:
      pair = kFocusedField;
      attributes |= A_BOLD;
      if (!colours_) attributes |= A_REVERSE;
      break;
    case TLook::Note:
      pair = kNote;
      break;
    case TLook::GroupCaption:
      pair = kGroupCaption;
      if (!colours_) attributes |= A_BOLD;
      break;
    case TLook::Box:
      pair = kBox;
      break;
  }
  if (!colours_) pair = 0;
  if (emphasis & emBold) attributes |= A_BOLD;
  if (emphasis & emReverse) attributes |= A_REVERSE;
  if (emphasis & emDim) attributes |= A_DIM;
  if (emphasis & emUnderline) attributes |= A_UNDERLINE;
  attr_set(attributes, pair, nullptr);
}

void TScreen::Put(int row, int col, const wchar_t* cell, const TCellRect& clip) {
  if (!clip.Contains(row, col) || !Whole().Contains(row, col)) return;
  cchar_t glyph;
  attr_t attributes;
  short pair;
  attr_get(&attributes, &pair, nullptr);
  setcchar(&glyph, cell, attributes, pair, nullptr);
  mvadd_wch(row, col, &glyph);
}

void TScreen::Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
                   const TCellRect& clip) {
  Attributes(look, emphasis);
  // Each cell holds a character and the combining marks that follow it.
  wchar_t cell[CCHARW_MAX + 1] = {};
  int used = 0;  // characters in the cell
  int width = 0;
  auto flush = [&] {
    if (used == 0) return;
    if (width == 2 && !clip.Contains(row, col + 1)) {
      cell[0] = L' ';  // half a wide character is no character
      cell[1] = 0;
      width = 1;
    }
    Put(row, col, cell, clip);
    col += width;
    used = 0;
  };
  for (size_t at = 0; at < text.size();) {
    const Utf8Char c = DecodeUtf8(text, at);
    at += c.Length;
    const int cells = CellWidth(c.Code);
    if (cells == 0 && used > 0 && used < CCHARW_MAX) {
      cell[used++] = static_cast<wchar_t>(c.Code);
      cell[used] = 0;
      continue;
    }
    flush();
    if (c.Code < 0x20 || c.Code == 0x7F) {
      cell[0] = L' ';
    } else if (!Showable(c.Code)) {
      cell[0] = L'?';  // a character the terminal's character set lacks
    } else if (cells == 0) {
      cell[0] = L' ';  // a mark with nothing to sit on sits on a blank
      cell[1] = static_cast<wchar_t>(c.Code);
      cell[2] = 0;
      used = 2;
      width = 1;
      continue;
    } else {
      cell[0] = static_cast<wchar_t>(c.Code);
    }
    cell[1] = 0;
    used = 1;
    width = std::max(cells, 1);
  }
  flush();
}

void TScreen::Fill(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) {
  Attributes(look, emphasis);
  static constexpr wchar_t kBlank[] = L" ";
  for (int row = area.Top; row <= area.Bottom; ++row) {
    for (int col = area.Left; col <= area.Right; ++col) Put(row, col, kBlank, clip);
  }
}

void TScreen::Frame(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) {
  if (area.Bottom < area.Top || area.Right < area.Left) return;
  Attributes(look, emphasis);
  const TCellRect visible = clip.Intersect(Whole());
  auto line = [&](int row, int col, const cchar_t* glyph) {
    if (visible.Contains(row, col)) mvadd_wch(row, col, glyph);
  };
  for (int col = area.Left + 1; col < area.Right; ++col) {
    line(area.Top, col, WACS_HLINE);
    line(area.Bottom, col, WACS_HLINE);
  }
  for (int row = area.Top + 1; row < area.Bottom; ++row) {
    line(row, area.Left, WACS_VLINE);
    line(row, area.Right, WACS_VLINE);
  }
  line(area.Top, area.Left, WACS_ULCORNER);
  line(area.Top, area.Right, WACS_URCORNER);
  line(area.Bottom, area.Left, WACS_LLCORNER);
  line(area.Bottom, area.Right, WACS_LRCORNER);
}

void TScreen::PlaceCursor(int row, int col) {
  cursorRow_ = row;
  cursorCol_ = col;
}

void TScreen::Show() {
  attr_set(A_NORMAL, 0, nullptr);
  if (Whole().Contains(cursorRow_, cursorCol_)) {
    move(cursorRow_, cursorCol_);
    curs_set(1);
  } else {
    curs_set(0);
  }
  refresh();
}

}  // namespace wdx::terminal
