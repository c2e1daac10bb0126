#include "framework/ui/terminal/DialogView.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/TextLayout.h"

namespace wdx::terminal {

int TDialogView::ClientWidth() const {
  return form_.ClientWidth() > 0 ? form_.ClientWidth() : form_.Width();
}

int TDialogView::ClientHeight() const {
  return form_.ClientHeight() > 0 ? form_.ClientHeight() : form_.Height();
}

int TDialogView::Columns() const {
  return CeilDiv(ClientWidth(), kCellWidth) + 2;
}

int TDialogView::Rows() const {
  return CeilDiv(ClientHeight(), kCellHeight) + 2;
}

bool TDialogView::Fits() const {
  return screen_.Columns() >= Columns() && screen_.Rows() >= Rows();
}

int TDialogView::Col(int x) const {
  return clientLeft_ + CellColumn(x);
}

int TDialogView::Row(int y) const {
  return clientTop_ + CellRow(y);
}

void TDialogView::Draw(const std::string& help, bool canLeave) {
  if (Fits()) {
    DrawForm(help);
  } else {
    DrawSizeNotice(canLeave);
  }
}

void TDialogView::DrawSizeNotice(bool canLeave) {
  dialog_ = screen_.Whole();
  const std::string columns = std::to_string(Columns());
  const std::string rows = std::to_string(Rows());
  const std::string width = std::to_string(screen_.Columns());
  const std::string height = std::to_string(screen_.Rows());
  std::string notice =
      Translate(texts::kNeedsTerminal,
                {{"columns", columns}, {"rows", rows}, {"width", width}, {"height", height}});
  if (canLeave) notice += "\n" + Translate(texts::kEscapeLeaves);
  int row = 0;
  std::istringstream lines(notice);
  for (std::string text; std::getline(lines, text);) {
    for (const std::string& line : WrapText(text, screen_.Columns())) {
      screen_.Text(row++, 0, line, TLook::Normal, emBold, screen_.Whole());
    }
  }
}

void TDialogView::DrawForm(const std::string& help) {
  const int columns = Columns();
  const int rows = Rows();
  const bool hint = screen_.Rows() > rows;
  const int top = std::max(0, (screen_.Rows() - rows - (hint ? 1 : 0)) / 2);
  const int left = std::max(0, (screen_.Columns() - columns) / 2);
  dialog_ = {top, left, top + rows - 1, left + columns - 1};
  clientTop_ = top + 1;
  clientLeft_ = left + 1;
  const TCellRect whole = screen_.Whole();
  // Blank first: a form shown modally stands over the one beneath it.
  screen_.Fill(dialog_, TLook::Normal, emNone, whole);
  screen_.Frame(dialog_, TLook::Normal, emNone, whole);
  screen_.Fill({top, left, top, dialog_.Right}, TLook::Title, emBold, whole);
  screen_.Text(top, left + 1, form_.Caption(), TLook::Title, emBold,
               {top, left + 1, top, dialog_.Right - 1});
  if (hint) {
    screen_.Text(dialog_.Bottom + 1, left + 1, help, TLook::Normal, emDim,
                 {dialog_.Bottom + 1, left, dialog_.Bottom + 1, dialog_.Right});
  }
  const TCellRect client{clientTop_, clientLeft_, dialog_.Bottom - 1, dialog_.Right - 1};
  focused_ = focus_.Focused();
  DrawChildren(form_, 0, 0, client, form_.Enabled(), false);
}

void TDialogView::DrawChildren(const TWinControl& parent, int x, int y, const TCellRect& clip,
                               bool enabled, bool note) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    if (child->Visible()) DrawControl(*child, x, y, clip, enabled && child->Enabled(), note);
  }
}

// Draws a control whose parent's client area starts at pixel (x, y) of the form's, by its kind.
void TDialogView::DrawControl(TControl& control, int x, int y, const TCellRect& clip, bool enabled,
                              bool note) {
  TPlace place;
  place.X = x + control.Left();
  place.Y = y + control.Top();
  const int width = std::max(control.Width(), 1);
  const int height = std::max(control.Height(), 1);
  place.Cells = {Row(place.Y), Col(place.X), Row(place.Y + height - 1), Col(place.X + width - 1)};
  place.Middle = Row(place.Y + height / 2);
  place.Clip = clip;
  place.Enabled = enabled;
  place.Focused = &control == focused_;
  place.Note = note;
  TViewState& state = focus_.State(control);
  state.Cells = place.Cells;
  state.Middle = place.Middle;
  if (const TTerminalKind* kind = TerminalKinds().Find(control); kind && kind->Draw) {
    kind->Draw(*this, control, place);
    return;
  }
  screen_.Text(place.Middle, place.Cells.Left,
               Translate(texts::kUnsupported, {{"class", control.ClassName()}}), place.Look(),
               place.Dim() | emReverse, clip.Intersect(place.Cells));
}

}  // namespace wdx::terminal
