// One key the user pressed, as the terminal front-end sees it: a character (its Unicode code
// point), or a key that stands for an action.
#pragma once

namespace wdx::terminal {

enum class TFunctionKey {
  None,  // not a function key: a character
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown,
  Delete,
  Backspace,
  Enter,
  BackTab,  // Shift+Tab
  CtrlTab,
  CtrlShiftTab,
  CtrlPageDown,
  CtrlPageUp,
  AltDown,  // opens a drop-down list, as F4 does
  F4,
  Resize,  // the terminal changed its size
  Other,   // a key the front-end has no use for
};

struct TKey {
  TFunctionKey Function = TFunctionKey::None;
  int Char = 0;  // the code point, when Function is None

  static TKey Character(int c) { return {TFunctionKey::None, c}; }
  static TKey Named(TFunctionKey key) { return {key, 0}; }

  bool Is(TFunctionKey key) const { return Function == key; }
  bool IsChar(int c) const { return Function == TFunctionKey::None && Char == c; }
  // Not a control character (C0, DEL or C1).
  bool Printable() const {
    return Function == TFunctionKey::None && Char >= 32 && !(Char >= 127 && Char < 160) &&
           Char <= 0x10FFFF;
  }
  bool IsEnter() const { return Is(TFunctionKey::Enter) || IsChar('\r') || IsChar('\n'); }
  bool IsBackspace() const { return Is(TFunctionKey::Backspace) || IsChar(127) || IsChar('\b'); }
  bool IsEscape() const { return IsChar(27); }
  bool IsTab() const { return IsChar('\t'); }
};

}  // namespace wdx::terminal
