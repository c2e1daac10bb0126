// The scripted front-end: user actions come from a script, one a line, and what the user would
// see is printed, one line each.
//
//   set <Name> <text>     the text of an edit, an editable combo box or a memo ("\n" in a memo's
//                         text breaks the line) becomes everything after the blank behind the name
//   click <Name>          presses the button (nothing when it is disabled or not shown)
//   check <Name>          checks a check box or radio button; uncheck <Name> unchecks it
//   select <Name> <i>     chooses item i of a combo box, list box or radio group (-1: none)
//   page <Name>           shows the tab sheet, as a click on its tab does
//   answer <button>       answers the open message box: Yes, No, OK or Cancel
//   choose <path>         answers the open file dialog with a file; cancel cancels it
//   lang <name>           writes the Language of the form's language control
//   dump                  prints the form's state (ScriptedDump.h)
//
// Printed: "box <caption> | <text>", "open <file name> | <filter> | <initial folder>", the dump,
// "form <name> | <caption>" when a form is shown modally and "closed <name> | <result>" when it
// closes (its actions then act on it), and "closed" when the form closes. Texts show CR as \r, LF
// as \n and "\" as \\. A script that does not fit what is on screen prints "script: <what went
// wrong>" (exit code 3); one that ends with the form open prints "script: ended with the dialog
// open" (exit code 4). The actions a control takes are its kind's (ScriptedKinds.h).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "framework/ui/FrontEnd.h"

namespace wdx {

class TComponent;

// The form's language control, whose Language property "lang" writes, or nullptr. The program
// finds it by its class: the framework below the language controller does not know that class.
using TLanguageControlFinder = std::function<TComponent*(const TCustomForm& form)>;

class TScriptedFrontEnd : public TFrontEnd {
 public:
  TScriptedFrontEnd(std::istream& script, std::ostream& out, TLanguageControlFinder language = {})
      : script_(script), out_(out), language_(std::move(language)) {}
  int Run(TCustomForm& form) override;

 private:
  class Session;
  std::istream& script_;
  std::ostream& out_;
  TLanguageControlFinder language_;
};

}  // namespace wdx
