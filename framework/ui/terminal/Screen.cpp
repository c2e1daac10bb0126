#include "framework/ui/terminal/Screen.h"

#include <langinfo.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

#include "framework/rtl/CodePage.h"

namespace wdx::terminal {

namespace {

enum Pair : short { kTitle = 1, kField, kFocusedField, kNote, kGroupCaption, kBox };

// The colour closest to light yellow (255, 255, 204) where the terminal has 256 colours.
constexpr short kLightYellow256 = 230;

}  // namespace

TCellRect TCellRect::Intersect(const TCellRect& other) const {
  return {std::max(Top, other.Top), std::max(Left, other.Left), std::min(Bottom, other.Bottom),
          std::min(Right, other.Right)};
}

TScreen::~TScreen() {
  Stop();
}

void TScreen::Start() {
  if (started_) return;
  // Only the character type follows the user's locale: it says how the terminal encodes text.
  std::setlocale(LC_CTYPE, "");
  unicode_ = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
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

void TScreen::Put(int row, int col, char c, const TCellRect& clip) {
  if (!clip.Contains(row, col) || !Whole().Contains(row, col)) return;
  const auto byte = static_cast<unsigned char>(c);
  wchar_t wide[2] = {L' ', 0};
  if (byte >= 0x20 && byte != 0x7F)
    wide[0] = static_cast<wchar_t>(AnsiToWide(std::string(1, c))[0]);
  // A character the terminal's character set lacks shows as "?".
  std::mbstate_t state{};
  char encoded[MB_LEN_MAX];
  if (!unicode_ && byte >= 0x80 &&
      std::wcrtomb(encoded, wide[0], &state) == static_cast<size_t>(-1)) {
    wide[0] = L'?';
  }
  cchar_t cell;
  attr_t attributes;
  short pair;
  attr_get(&attributes, &pair, nullptr);
  setcchar(&cell, wide, attributes, pair, nullptr);
  mvadd_wch(row, col, &cell);
}

void TScreen::Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
                   const TCellRect& clip) {
  Attributes(look, emphasis);
  for (size_t i = 0; i < text.size(); ++i) Put(row, col + static_cast<int>(i), text[i], clip);
}

void TScreen::Fill(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) {
  Attributes(look, emphasis);
  for (int row = area.Top; row <= area.Bottom; ++row) {
    for (int col = area.Left; col <= area.Right; ++col) Put(row, col, ' ', clip);
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
