// The terminal kinds of the framework's standard controls, one function per kind; TerminalKinds()
// puts them in its table.
#pragma once

#include "framework/rtti/Published.h"
#include "framework/ui/terminal/TerminalKinds.h"

namespace wdx::terminal::kinds {

TTerminalKind Button();
TTerminalKind Edit();
TTerminalKind Label();
TTerminalKind Image();
TTerminalKind GroupBox();
TTerminalKind Panel();
TTerminalKind PageControl();
TTerminalKind TabSheet();
TTerminalKind CheckBox();
TTerminalKind RadioButton();
TTerminalKind RadioGroup();
TTerminalKind ListBox();
TTerminalKind ComboBox();
TTerminalKind Memo();

}  // namespace wdx::terminal::kinds
