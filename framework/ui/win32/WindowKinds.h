// The window front-end's control kinds: for each class of control, the native window that shows
// it, how the window follows the control's properties, and what the user's doings in it (its
// notifications, its keys) do to the control. A program gives a class of its own a kind with
// WindowKinds().Add; a control whose class has none is shown as a static window reading
// "unsupported <class>".
#pragma once

#include <functional>
#include <string>

#include "framework/controls/Control.h"
#include "framework/ui/ControlKinds.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include <windows.h>

namespace wdx::win32 {

class TGdiCache;
class TPageTabs;
class TWidgetBuilder;
class TWindowMap;

// The window to create for a control: its class (nullptr: the front-end's own container class),
// its styles besides the child, tab stop and disabled styles that every control gets as it is,
// and its text.
struct TWindowPlan {
  const wchar_t* Class = nullptr;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  std::string Text;
  bool Forwards = false;    // passes its children's notifications on (a group box, a tab control)
  bool ShowsItself = true;  // false: another window shows it (a page, its page control)
};

// The parts of a shown form that the kinds work with.
struct TWindowContext {
  TWindowMap& Windows;
  TGdiCache& Gdi;
  TPageTabs& Tabs;
  TWidgetBuilder& Builder;
};

struct TWindowKind {
  // The window to create.
  std::function<void(const TControl& control, TWindowPlan& plan)> Plan;
  // What follows the window's creation (its picture, its size to fit its text, its items); at a
  // new DPI the same follows the window's move.
  std::function<void(TWindowContext& context, const TControl& control, HWND window)> Created;
  // What follows a move of the window to its design place, and the relayout of its controls at
  // a new DPI (a page control lays its pages out again).
  std::function<void(TWindowContext& context, const TControl& control, HWND window)> Placed;
  // Makes the control's own controls' windows; by default each child's, in tab order.
  std::function<void(TWindowContext& context, const TControl& control)> CreateChildren;
  // Brings the window in step with the control after a change of its properties: its text,
  // place, style, state and visibility. The front-end sets its enabled state, fonts and paint.
  std::function<void(TWindowContext& context, const TControl& control, HWND window)> Mirror;
  // The window's rectangle in its parent's client area, when it is not the design's (a page
  // fills its tab control's display area).
  std::function<RECT(const TWindowMap& windows, const TControl& control)> Bounds;
  // The inner border a container's controls keep from its edges, in design pixels.
  std::function<int32_t(const TControl& control)> ClientInset;
  // A notification the window (or a window inside it) sends: what the user did.
  std::function<void(TWindowContext& context, TControl& control, HWND from, UINT code)> Command;
  // A WM_NOTIFY from the window; true when taken.
  std::function<bool(TWindowContext& context, TControl& control, const NMHDR& header)> Notify;
  // A key pressed while the control has the focus, before the dialog manager sees it; true when
  // taken.
  std::function<bool(TWindowContext& context, TControl& control, const MSG& message)> Key;
  // The window that takes the control's focus (by default its own), and what taking it does.
  std::function<HWND(const TWindowContext& context, const TControl& control)> FocusWindow;
  std::function<void(HWND window)> Focused;
  // Paints a container's client area (a panel's bevels and caption).
  std::function<void(TWindowContext& context, const TControl& control, HWND window, HDC dc)> Paint;
  // The text whose script chooses the font's character set (a page control's: its tabs').
  std::function<std::string(const TControl& control)> FontText;
  // Whether a static control shows its parent's background (a transparent label).
  std::function<bool(const TControl& control)> Transparent;
  bool FillsBackground = false;           // erases its inside in its own colour (a group box)
  bool SystemColorsWhenDisabled = false;  // disabled, it keeps the system's colours (an edit)
  bool PressesOnEnter = false;            // focused, Enter presses it (a push button)
  // Its Mirror runs once the message loop turns, for all the changes till then (a list whose
  // items a language switch changes one by one).
  bool MirrorsWhenIdle = false;
};

// The table, with the framework's standard controls in it.
TKindTable<TWindowKind>& WindowKinds();

}  // namespace wdx::win32
