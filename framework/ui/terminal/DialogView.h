// Draws a form on the terminal's screen, from its controls' pixel rectangles laid out on
// character cells (CellGeometry.h). The dialog stands in the
// middle of the screen with the key help on the line below it when there is room; a terminal too
// small for it shows what size it needs instead.
#pragma once

#include <string>

#include "framework/ui/terminal/Screen.h"

namespace wdx {

class TControl;
class TCustomForm;
class TEdit;
class TLabel;
class TPageControl;
class TWinControl;

namespace terminal {

class TDialogFocus;

class TDialogView {
 public:
  TDialogView(const TCustomForm& form, TScreen& screen, TDialogFocus& focus)
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

 private:
  void DrawSizeNotice(bool canLeave);
  void DrawForm(const std::string& help);
  void DrawChildren(const TWinControl& parent, int x, int y, const TCellRect& clip, bool enabled,
                    bool note);
  void DrawControl(TControl& control, int x, int y, const TCellRect& clip, bool enabled, bool note);
  void DrawPages(TPageControl& pages, int px, int py, const TCellRect& cells, const TCellRect& clip,
                 bool enabled, bool focused);
  void DrawLabel(const TLabel& label, const TCellRect& cells, int middle, const TCellRect& clip,
                 unsigned dim, bool note);
  void DrawEdit(const TEdit& edit, const TCellRect& field, const TCellRect& clip, unsigned dim,
                bool focused);

  int ClientWidth() const;
  int ClientHeight() const;
  // The screen's cell of a pixel of the form's client area.
  int Col(int x) const;
  int Row(int y) const;

  const TCustomForm& form_;
  TScreen& screen_;
  TDialogFocus& focus_;
  TControl* focused_ = nullptr;
  TCellRect dialog_;
  // The first cell of the dialog's client area.
  int clientTop_ = 0;
  int clientLeft_ = 0;
};

}  // namespace terminal
}  // namespace wdx
