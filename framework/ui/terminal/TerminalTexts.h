// Every text the terminal front-end itself shows, apart from the program's own: the key help,
// the buttons and captions of its message boxes and file dialog, and its notices.
#pragma once

namespace wdx::terminal::texts {

// Message boxes: the buttons, each pressed by its first letter too.
inline constexpr char kYes[] = "Yes";
inline constexpr char kNo[] = "No";
inline constexpr char kOK[] = "OK";
inline constexpr char kCancel[] = "Cancel";

// The key help: "<keys>: <what they do>", two blanks between them.
inline constexpr char kNextPrevious[] = "Tab/Shift+Tab: next/previous";
inline constexpr char kPagesByArrows[] = "Left/Right: pages";
inline constexpr char kPagesByKeys[] = "Ctrl+PgDn/PgUp: pages";
inline constexpr char kEnterSpace[] = "Enter/Space: ";  // followed by the button's caption
inline constexpr char kEnter[] = "Enter: ";             // followed by the default button's
inline constexpr char kEscape[] = "Esc: ";              // followed by the cancel button's
inline constexpr char kToggle[] = "Space: check/uncheck";
inline constexpr char kCheck[] = "Space: check";
inline constexpr char kChoose[] = "Up/Down: choose";
inline constexpr char kOpenList[] = "Alt+Down: list";
inline constexpr char kListKeys[] = "Up/Down: choose  Enter: take  Esc: close";
inline constexpr char kBoxChoose[] = "Left/Right: choose  ";
inline constexpr char kBoxOneButton[] = "Enter/Space/Esc: ";

// A dialog larger than the terminal.
inline constexpr char kNeedsTerminal[] = "This dialog needs a terminal of";
inline constexpr char kAtLeast[] = "at least ";
inline constexpr char kCharacters[] = " characters;";
inline constexpr char kThisOneIs[] = "this one is ";
inline constexpr char kEnlarge[] = "Please enlarge it.";
inline constexpr char kEscapeLeaves[] = "Esc leaves the setup without saving.";

// A control of a class the front-end has no kind for: "<class>?" in its place.
inline constexpr char kUnsupported[] = "unsupported ";

// The file-open dialog.
inline constexpr char kOpenTitle[] = "Open";
inline constexpr char kOpen[] = "Open";
inline constexpr char kLookIn[] = "Look in: ";
inline constexpr char kFilesOfType[] = "Files of type: ";
inline constexpr char kFileName[] = "File name:     ";
inline constexpr char kEmptyFolder[] = "(empty)";
inline constexpr char kFilesHelp[] = "Up/Down: files  Enter: open";
inline constexpr char kNameHelp[] = "Enter: open";

}  // namespace wdx::terminal::texts
