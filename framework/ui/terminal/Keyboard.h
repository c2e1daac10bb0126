// The keyboard of the terminal front-end, over curses: what the terminal sends, as keys.
//
// Beside the keys the terminal's description names, it knows the sequences that common terminals
// send for Home, End and the other editing keys whatever their description says, and those of
// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp; it asks the terminal to report Ctrl+Tab
// (which most send as a plain Tab unless asked).
#pragma once

#include "framework/ui/terminal/Key.h"
#include "framework/ui/terminal/KeyDecoder.h"

namespace wdx::terminal {

class TKeyboard {
 public:
  TKeyboard();
  TKeyboard(const TKeyboard&) = delete;
  TKeyboard& operator=(const TKeyboard&) = delete;
  ~TKeyboard();

  // Call once the screen has started, and Stop before it stops.
  void Start();
  void Stop();

  // Waits for the next key; a resized terminal reads as TFunctionKey::Resize.
  TKey Read() { return decoder_.Next(); }

 private:
  TKeyDecoder decoder_;
  bool started_ = false;
};

}  // namespace wdx::terminal
