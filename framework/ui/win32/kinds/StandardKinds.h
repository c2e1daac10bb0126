// The window kinds of the framework's standard controls, one function per kind; WindowKinds()
// puts them in its table.
#pragma once

#include "framework/ui/win32/WindowKinds.h"

namespace wdx::win32::kinds {

TWindowKind Button();
TWindowKind Edit();
TWindowKind Label();
TWindowKind Image();
TWindowKind GroupBox();
TWindowKind Panel();
TWindowKind PageControl();
TWindowKind TabSheet();
TWindowKind CheckBox();
TWindowKind RadioButton();
TWindowKind RadioGroup();
TWindowKind ListBox();
TWindowKind ComboBox();
TWindowKind Memo();

}  // namespace wdx::win32::kinds
