// A front-end presents a form to its user: it shows it, turns the user's actions into the
// controls' events, and answers the program's modal message boxes and file-open dialogs.
#pragma once

namespace wdx {

class TCustomForm;
class TObject;

class TFrontEnd {
 public:
  virtual ~TFrontEnd() = default;
  // Shows the form, activates it once and runs until it closes; returns the program's exit
  // code.
  virtual int Run(TCustomForm& form) = 0;
};

// Runs an event handler on behalf of `sender` the way the message loop does: an error it
// raises goes to the application's exception handler and the program goes on.
template <class Handler>
void DispatchEvent(TObject* sender, Handler&& handler);

}  // namespace wdx

#include "framework/ui/FrontEndInl.h"
