// The scripted front-end: user actions come from a script, one a line, and what the user would
// see is printed, one line each.
//
//   set <Name> <text>     the edit's text becomes everything after the blank behind the name
//   click <Name>          presses the button (nothing when it is disabled or not shown)
//   answer <Yes|No|OK>    answers the open message box
//   choose <path>         answers the open file dialog with a file; cancel cancels it
//   lang <name>           writes the form's LangControl.Language
//   dump                  prints Caption, Text, Enabled, Visible, TabVisible and Language of
//                         the form and of each component, as <name>.<property>=<value>
//
// Printed: "box <caption> | <text>", "open <file name> | <filter> | <initial folder>", the dump,
// and "closed" when the form closes. Texts show CR as \r, LF as \n and "\" as \\. A script that
// does not fit what is on screen prints "script: <what went wrong>" (exit code 3); one that ends
// with the form open prints "script: ended with the dialog open" (exit code 4).
#pragma once

#include <iosfwd>
#include <string>

#include "framework/ui/FrontEnd.h"

namespace wdx {

class TScriptedFrontEnd : public TFrontEnd {
 public:
  TScriptedFrontEnd(std::istream& script, std::ostream& out) : script_(script), out_(out) {}
  int Run(TCustomForm& form) override;

 private:
  class Session;
  std::istream& script_;
  std::ostream& out_;
};

}  // namespace wdx
