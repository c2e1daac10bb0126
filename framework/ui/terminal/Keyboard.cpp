#include "framework/ui/terminal/Keyboard.h"

#include <cstdio>

#ifndef NCURSES_WIDECHAR
#define NCURSES_WIDECHAR 1
#endif
#include <curses.h>

namespace wdx::terminal {

namespace {

// Key codes of our own for the keys curses has none for.
constexpr int kCtrlTab = KEY_MAX + 1;
constexpr int kCtrlShiftTab = KEY_MAX + 2;
constexpr int kCtrlPageDown = KEY_MAX + 3;
constexpr int kCtrlPageUp = KEY_MAX + 4;
constexpr int kAltDown = KEY_MAX + 5;

struct TSequence {
  const char* Text;
  int Code;
};

// What terminals send for the page keys and Alt+Down: xterm's "modifyOtherKeys" form and the
// "CSI u" form for Ctrl+Tab, the modifier parameter 5 (Ctrl) for the page keys, 3 (Alt) for Down.
constexpr TSequence kPageKeys[] = {
    {"\033[27;5;9~", kCtrlTab},   {"\033[9;5u", kCtrlTab},      {"\033[27;6;9~", kCtrlShiftTab},
    {"\033[9;6u", kCtrlShiftTab}, {"\033[6;5~", kCtrlPageDown}, {"\033[5;5~", kCtrlPageUp},
    {"\033[1;3B", kAltDown},
};

// What common terminals send for the editing keys, used where the terminal's description names
// another sequence for the key (a terminal that calls itself xterm but sends "ESC [ 4 ~" for End).
constexpr TSequence kEditingKeys[] = {
    {"\033[1~", KEY_HOME}, {"\033[7~", KEY_HOME},  {"\033[H", KEY_HOME},   {"\033OH", KEY_HOME},
    {"\033[4~", KEY_END},  {"\033[8~", KEY_END},   {"\033[F", KEY_END},    {"\033OF", KEY_END},
    {"\033[3~", KEY_DC},   {"\033[5~", KEY_PPAGE}, {"\033[6~", KEY_NPAGE}, {"\033[Z", KEY_BTAB},
    {"\033[A", KEY_UP},    {"\033[B", KEY_DOWN},   {"\033[C", KEY_RIGHT},  {"\033[D", KEY_LEFT},
    {"\033OA", KEY_UP},    {"\033OB", KEY_DOWN},   {"\033OC", KEY_RIGHT},  {"\033OD", KEY_LEFT},
};

// Asks the terminal to tell Ctrl+Tab from Tab (xterm's modifyOtherKeys, level 1), and back.
constexpr char kReportModifiedKeys[] = "\033[>4;1m";
constexpr char kResetModifiedKeys[] = "\033[>4m";

TFunctionKey FunctionKeyOf(int code) {
  switch (code) {
    case KEY_UP:
      return TFunctionKey::Up;
    case KEY_DOWN:
      return TFunctionKey::Down;
    case KEY_LEFT:
      return TFunctionKey::Left;
    case KEY_RIGHT:
      return TFunctionKey::Right;
    case KEY_HOME:
      return TFunctionKey::Home;
    case KEY_END:
      return TFunctionKey::End;
    case KEY_PPAGE:
      return TFunctionKey::PageUp;
    case KEY_NPAGE:
      return TFunctionKey::PageDown;
    case KEY_DC:
      return TFunctionKey::Delete;
    case KEY_BACKSPACE:
      return TFunctionKey::Backspace;
    case KEY_ENTER:
      return TFunctionKey::Enter;
    case KEY_BTAB:
      return TFunctionKey::BackTab;
    case KEY_RESIZE:
      return TFunctionKey::Resize;
    case kCtrlTab:
      return TFunctionKey::CtrlTab;
    case kCtrlShiftTab:
      return TFunctionKey::CtrlShiftTab;
    case kCtrlPageDown:
      return TFunctionKey::CtrlPageDown;
    case kCtrlPageUp:
      return TFunctionKey::CtrlPageUp;
    case kAltDown:
      return TFunctionKey::AltDown;
    case KEY_F(4):
      return TFunctionKey::F4;
    default:
      return TFunctionKey::Other;
  }
}

TInput ReadInput(int waitMs) {
  wtimeout(stdscr, waitMs);
  const int code = wgetch(stdscr);
  if (code == ERR) return TInput::Nothing();
  if (code >= 0 && code <= 0xFF) return TInput::OfByte(code);
  return TInput::OfKey(FunctionKeyOf(code));
}

}  // namespace

TKeyboard::TKeyboard() : decoder_(ReadInput) {}

TKeyboard::~TKeyboard() {
  Stop();
}

void TKeyboard::Start() {
  if (started_) return;
  started_ = true;
  for (const TSequence& key : kPageKeys) {
    define_key(key.Text, 0);  // the terminal's description may name it as another key
    define_key(key.Text, key.Code);
  }
  for (const TSequence& key : kEditingKeys) {
    if (key_defined(key.Text) == 0) define_key(key.Text, key.Code);
  }
  std::fputs(kReportModifiedKeys, stdout);
  std::fflush(stdout);
}

void TKeyboard::Stop() {
  if (!started_) return;
  started_ = false;
  std::fputs(kResetModifiedKeys, stdout);
  std::fflush(stdout);
}

}  // namespace wdx::terminal
