// The keys of the dialog itself (its message boxes and file dialog have their own): what each
// does now, and the help line that says so. One table serves both, so the help line lists only
// keys that do something, and says what they do.
//
// Tab and Shift+Tab move the focus through edits, buttons and tab strips in tab order; Up and
// Down do the same outside an edit's text. Left and Right on a tab strip switch pages, and so do
// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp from any control. Enter presses the
// focused button, or else the default button; Space the focused button; Escape the cancel button.
// The dialog's rules (framework/ui) decide the order, the pages and the buttons; this file maps
// the terminal's keys onto them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/terminal/Key.h"

namespace wdx {

class TCustomForm;

namespace terminal {

class TDialogFocus;

class TDialogKeys {
 public:
  TDialogKeys(TCustomForm& form, TDialogFocus& focus) : form_(form), focus_(focus) {}

  // Does what the key does now, if anything.
  void Handle(const TKey& key);

  // "Tab/Shift+Tab: next/previous  Enter: Save ..." for the keys that do something now.
  std::string Help();

 private:
  struct TBinding {
    std::string Help;  // "Keys: what they do"; empty for keys the help line leaves out
    std::function<bool(const TKey&)> Matches;
    std::function<void(const TKey&)> Run;
  };

  // The keys that do something in the dialog's present state, in the order the help lists them.
  std::vector<TBinding> Bindings();

  TCustomForm& form_;
  TDialogFocus& focus_;
};

}  // namespace terminal
}  // namespace wdx
