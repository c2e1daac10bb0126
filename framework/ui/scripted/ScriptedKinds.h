// The scripted front-end's control kinds: the script actions each class of control takes. A
// program gives a class of its own the actions it takes with ScriptedKinds().Add; an action that
// an entry leaves empty is one the control does not take, and a control whose class has no entry
// is reported as unsupported, by its class's name, when a script acts on it.
#pragma once

#include <functional>
#include <string>

#include "framework/ui/ControlKinds.h"

namespace wdx {

class TControl;

struct TScriptedKind {
  // set <Name> <text>: the text as the user would type it; false when the control takes no
  // text as it is now (a drop-down list).
  std::function<bool(TControl& control, const std::string& text)> Set;
  // click <Name>: a click as the user's.
  std::function<void(TControl& control)> Click;
  // check <Name> / uncheck <Name>.
  std::function<void(TControl& control, bool checked)> Check;
  // select <Name> <index>: how many items there are to choose from, and the choice of one (-1:
  // none), made as the user would make it.
  std::function<int(const TControl& control)> ItemCount;
  std::function<void(TControl& control, int index)> Select;
  // page <Name>: shows the page as a click on its tab does.
  std::function<void(TControl& control)> Show;
};

// The table, with the framework's standard controls in it.
TKindTable<TScriptedKind>& ScriptedKinds();

}  // namespace wdx
