// The terminal front-end's file-open dialog: the folder's list, a name field, the filter and Open
// and Cancel. Tab and Shift+Tab move between the four; in the list the arrows, PageUp, PageDown,
// Home, End and a typed letter select, Enter opens a folder or chooses a file; a typed name or
// path is taken relative to the folder shown, and a folder named so is opened. Escape cancels.
#pragma once

#include <string>

#include "framework/ui/PlatformFrontEnd.h"

namespace wdx {

class TOpenDialog;

namespace terminal {

class TModalHost;

// True when the user chose a file; `chosen` is then its full path.
bool RunOpenDialog(TModalHost& host, const TFileBrowsing& files, TOpenDialog& dialog,
                   std::string& chosen);

}  // namespace terminal
}  // namespace wdx
