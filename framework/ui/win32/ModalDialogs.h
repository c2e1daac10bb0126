// The modal boxes and the file-open dialog, owned by the form's window: the form is disabled
// while one is open, and a message box opens centred over the form.
#pragma once

#include <string>

#include "framework/controls/Dialogs.h"
#include "framework/controls/MessageBoxes.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include <windows.h>

namespace wdx::win32 {

// Shows the box and returns the button pressed.
TModalResult PresentMessageBox(HWND owner, const TMessageBox& box);

// Shows the system's file-open dialog; true with the chosen file.
bool PresentOpenDialog(HWND owner, TOpenDialog& dialog, std::string& chosen);

}  // namespace wdx::win32
