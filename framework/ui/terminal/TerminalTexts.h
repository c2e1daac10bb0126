// Every text the terminal front-end itself shows, apart from the program's own: the key help, the
// captions of its file dialog and its notices (a message box's buttons are MessageBoxes.h's).
// Each is marked in TerminalTexts.cpp and translated with the library's texts; Translate gives it
// in the language the program's forms show, a value it takes in braces ("Esc: {button}").
#pragma once

#include "framework/rtl/Texts.h"

namespace wdx::terminal::texts {

// The key help: "<keys>: <what they do>", two blanks between them.
extern const TText kNextPrevious;   // "Tab/Shift+Tab: next/previous"
extern const TText kPagesByArrows;  // "Left/Right: pages"
extern const TText kPagesByKeys;    // "Ctrl+PgDn/PgUp: pages"
extern const TText kEnterSpace;     // "Enter/Space: {button}"
extern const TText kEnter;          // "Enter: {button}", the default button
extern const TText kEscape;         // "Esc: {button}", the cancel button
extern const TText kToggle;         // "Space: check/uncheck"
extern const TText kCheck;          // "Space: check"
extern const TText kChoose;         // "Up/Down: choose"
extern const TText kOpenList;       // "Alt+Down: list"
extern const TText kListKeys;       // an open list's keys
extern const TText kBoxChoose;      // "Left/Right: choose"
extern const TText kBoxOneButton;   // "Enter/Space/Esc: {button}"

// A dialog larger than the terminal: the size it needs and the terminal's, in lines of their own.
extern const TText kNeedsTerminal;
extern const TText kEscapeLeaves;

// A control of a class the front-end has no kind for: "unsupported {class}" in its place.
extern const TText kUnsupported;

// The file-open dialog.
extern const TText kOpenTitle;
extern const TText kOpen;
extern const TText kLookIn;       // "Look in:", before the folder
extern const TText kFilesOfType;  // "Files of type:", before the filter
extern const TText kFileName;     // "File name:", before the name's field
extern const TText kEmptyFolder;
extern const TText kFilesHelp;
extern const TText kNameHelp;

}  // namespace wdx::terminal::texts
