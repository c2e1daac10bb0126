// Draws a form on a character canvas, from its controls' pixel rectangles laid out on character
// cells (CellGeometry.h). The dialog stands in the
// middle of the canvas with the key help on the line below it when there is room; a terminal too
// small for it shows what size it needs instead. Each control is drawn by its kind
// (TerminalKinds.h); a container's kind draws its controls through DrawChildren.
#pragma once

#include <string>

#include "framework/ui/terminal/Canvas.h"
#include "framework/ui/terminal/CellGeometry.h"
#include "framework/ui/terminal/TerminalKinds.h"

namespace wdx {

class TControl;
class TCustomForm;
class TWinControl;

namespace terminal {

class TDialogFocus;

class TDialogView {
 public:
  TDialogView(const TCustomForm& form, TCanvas& screen, TDialogFocus& focus)
      : form_(form), screen_(screen), focus_(focus) {}

  // The dialog's size in cells, with its caption bar and frame.
  int Columns() const;
  int Rows() const;
  bool Fits() const;

  // Draws the dialog with the key help under it; or, when the terminal is too small, what it
  // needs, and that Escape leaves when `canLeave`.
  void Draw(const std::string& help, bool canLeave);

  // Where the dialog stands on the screen (the whole screen while it does not fit).
  const TCellRect& Area() const { return dialog_; }

  // For the kinds: the canvas, the focus and its per-control state, the cells of a pixel of the
  // form's client area (across to the nearest cell, down to the cell it falls in), and the
  // controls of a container whose client area starts at pixel (x, y).
  TCanvas& Canvas() { return screen_; }
  TDialogFocus& Focus() { return focus_; }
  int Col(int x) const;
  int Row(int y) const;
  void DrawChildren(const TWinControl& parent, int x, int y, const TCellRect& clip, bool enabled,
                    bool note);

 private:
  void DrawSizeNotice(bool canLeave);
  void DrawForm(const std::string& help);
  void DrawControl(TControl& control, int x, int y, const TCellRect& clip, bool enabled, bool note);

  int ClientWidth() const;
  int ClientHeight() const;

  const TCustomForm& form_;
  TCanvas& screen_;
  TDialogFocus& focus_;
  TControl* focused_ = nullptr;
  TCellRect dialog_;
  // The first cell of the dialog's client area.
  int clientTop_ = 0;
  int clientLeft_ = 0;
};

}  // namespace terminal
}  // namespace wdx
