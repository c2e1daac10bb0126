// The keys of the dialog itself (its message boxes and file dialog have their own): what each
// does now, and the help line that says so. One table serves both, so the help line lists only
// keys that do something, and says what they do.
//
// Tab and Shift+Tab move the focus through the controls that take it, in tab order. Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp switch pages from any control. Enter presses the
// default button and Escape the cancel button, unless the focused control takes them. The focused
// control's kind adds its own keys (TerminalKinds.h): a button's Enter and Space, an edit's
// editing keys, a tab strip's Left and Right. The dialog's rules (framework/ui) decide the order,
// the pages and the buttons; this file maps the terminal's keys onto them.
#pragma once

#include <string>
#include <vector>

#include "framework/ui/terminal/Key.h"
#include "framework/ui/terminal/TerminalKinds.h"

namespace wdx {

class TCustomForm;

namespace terminal {

class TDialogFocus;
class TModalHost;

class TDialogKeys {
 public:
  // `host` opens windows over the dialog for the controls that need one (a drop-down list);
  // without one, they do without.
  TDialogKeys(TCustomForm& form, TDialogFocus& focus, TModalHost* host = nullptr)
      : form_(form), focus_(focus), host_(host) {}

  // Does what the key does now, if anything.
  void Handle(const TKey& key);

  // "Tab/Shift+Tab: next/previous  Enter: Save ..." for the keys that do something now.
  std::string Help();

 private:
  // The keys that do something in the dialog's present state, in the order the help lists them.
  std::vector<TBinding> Bindings();

  TCustomForm& form_;
  TDialogFocus& focus_;
  TModalHost* host_;
};

}  // namespace terminal
}  // namespace wdx
