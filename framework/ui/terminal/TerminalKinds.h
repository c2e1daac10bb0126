// The terminal front-end's control kinds: how each class of control is drawn on the character
// screen, what it does when it takes the focus, and which keys it takes while it has it. A
// program gives a class of its own a kind with TerminalKinds().Add; a control whose class has
// none is drawn as "unsupported <class>" and cannot be reached.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/ControlKinds.h"
#include "framework/ui/terminal/Canvas.h"
#include "framework/ui/terminal/Key.h"

namespace wdx {

class TControl;
class TCustomForm;

namespace terminal {

class TDialogFocus;
class TDialogView;
class TModalHost;
struct TViewState;

// Where and how a control is drawn.
struct TPlace {
  int X = 0;  // its top-left pixel in the form's client area
  int Y = 0;
  TCellRect Cells;  // the cells it covers
  int Middle = 0;   // the row through its middle
  TCellRect Clip;   // where it may draw
  bool Enabled = true;
  bool Focused = false;
  bool Note = false;  // it stands on a panel's note
  unsigned Dim() const { return Enabled ? emNone : emDim; }
  TLook Look() const { return Note ? TLook::Note : TLook::Normal; }
  // A field's look: the focused field stands out from the others, not only by its cursor.
  TLook FieldLook() const { return Focused ? TLook::FocusedField : TLook::Field; }
};

// A key or keys and what they do.
struct TBinding {
  std::string Help;  // "Keys: what they do" for the key help; empty to leave them out of it
  std::function<bool(const TKey&)> Matches;
  std::function<void(const TKey&)> Run;
};

// The keys of the focused control, by where they stand among the dialog's own: Tab first, then
// First, the page keys, the Own keys that have help, Press (or else Enter for the default button),
// Escape for the cancel button, then the Own keys without help (which may take any key).
struct TControlKeys {
  std::vector<TBinding> First;
  std::vector<TBinding> Press;
  std::vector<TBinding> Own;
  bool ShowsPages = false;  // its First keys switch pages: the page keys go unmentioned
  bool TakesEnter = false;  // Enter is one of its Own keys: the default button does not get it
  // The arrows that move the focus when none of its keys took them.
  std::vector<TFunctionKey> FocusArrows;
};

// What a kind's keys work with.
struct TKeyContext {
  TCustomForm& Form;
  TDialogFocus& Focus;
  TModalHost* Host;  // for windows over the dialog (a drop-down list); may be nullptr
};

struct TTerminalKind {
  std::function<void(TDialogView& view, TControl& control, const TPlace& place)> Draw;
  // The keys it takes while it has the focus; none when empty.
  std::function<void(TKeyContext& context, TControl& control, TControlKeys& keys)> Keys;
  // What taking the focus does to it (an edit's caret goes to the end of its text).
  std::function<void(TControl& control, TViewState& state)> Focused;
};

// The table, with the framework's standard controls in it.
TKindTable<TTerminalKind>& TerminalKinds();

}  // namespace terminal
}  // namespace wdx
