#include "framework/ui/terminal/TerminalTexts.h"

namespace wdx::terminal::texts {

//. The key help at the foot of the terminal dialog: keys, a colon, what they do.
const TText kNextPrevious = WDX_TEXT("Terminal.NextPrevious", "Tab/Shift+Tab: next/previous");
const TText kPagesByArrows = WDX_TEXT("Terminal.PagesByArrows", "Left/Right: pages");
const TText kPagesByKeys = WDX_TEXT("Terminal.PagesByKeys", "Ctrl+PgDn/PgUp: pages");
//. {button} is the caption of the button the keys press.
const TText kEnterSpace = WDX_TEXT("Terminal.EnterSpace", "Enter/Space: {button}");
const TText kEnter = WDX_TEXT("Terminal.Enter", "Enter: {button}");
const TText kEscape = WDX_TEXT("Terminal.Escape", "Esc: {button}");
const TText kToggle = WDX_TEXT("Terminal.Toggle", "Space: check/uncheck");
const TText kCheck = WDX_TEXT("Terminal.Check", "Space: check");
const TText kChoose = WDX_TEXT("Terminal.Choose", "Up/Down: choose");
const TText kOpenList = WDX_TEXT("Terminal.OpenList", "Alt+Down: list");
const TText kListKeys = WDX_TEXT("Terminal.ListKeys", "Up/Down: choose  Enter: take  Esc: close");
const TText kBoxChoose = WDX_TEXT("Terminal.BoxChoose", "Left/Right: choose");
const TText kBoxOneButton = WDX_TEXT("Terminal.BoxOneButton", "Enter/Space/Esc: {button}");

//. Shown when the terminal is smaller than the dialog: {columns} x {rows} is the size the dialog
//. needs, {width} x {height} the terminal's; each line break starts a line on the screen.
const TText kNeedsTerminal =
    WDX_TEXT("Terminal.NeedsTerminal",
             "This dialog needs a terminal of\nat least {columns} x {rows} characters;\n"
             "this one is {width} x {height}.\nPlease enlarge it.");
const TText kEscapeLeaves =
    WDX_TEXT("Terminal.EscapeLeaves", "Esc leaves the setup without saving.");

//. In place of a control the terminal cannot show; {class} is its class name.
const TText kUnsupported = WDX_TEXT("Terminal.Unsupported", "unsupported {class}");

//. The file-open dialog.
const TText kOpenTitle = WDX_TEXT("OpenDialog.Title", "Open");
//. The button that opens the chosen file.
const TText kOpen = WDX_TEXT("OpenDialog.Open", "Open");
const TText kLookIn = WDX_TEXT("OpenDialog.LookIn", "Look in:");
const TText kFilesOfType = WDX_TEXT("OpenDialog.FilesOfType", "Files of type:");
const TText kFileName = WDX_TEXT("OpenDialog.FileName", "File name:");
const TText kEmptyFolder = WDX_TEXT("OpenDialog.EmptyFolder", "(empty)");
const TText kFilesHelp = WDX_TEXT("OpenDialog.FilesHelp", "Up/Down: files  Enter: open");
const TText kNameHelp = WDX_TEXT("OpenDialog.NameHelp", "Enter: open");

}  // namespace wdx::terminal::texts
