#include "framework/ui/terminal/DialogView.h"

#include <algorithm>
#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/Pages.h"
#include "framework/ui/terminal/CellGeometry.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/FieldView.h"
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
  std::vector<std::string> notice = {
      "This dialog needs a terminal of",
      "at least " + std::to_string(Columns()) + " x " + std::to_string(Rows()) + " characters;",
      "this one is " + std::to_string(screen_.Columns()) + " x " + std::to_string(screen_.Rows()) +
          ".",
      "Please enlarge it."};
  if (canLeave) notice.push_back("Esc leaves the setup without saving.");
  int row = 0;
  for (const std::string& text : notice) {
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

// Draws a control whose parent's client area starts at pixel (x, y) of the form's.
void TDialogView::DrawControl(TControl& control, int x, int y, const TCellRect& clip, bool enabled,
                              bool note) {
  const int px = x + control.Left();
  const int py = y + control.Top();
  const int width = std::max(control.Width(), 1);
  const int height = std::max(control.Height(), 1);
  const TCellRect cells{Row(py), Col(px), Row(py + height - 1), Col(px + width - 1)};
  const int middle = Row(py + height / 2);
  const unsigned dim = enabled ? emNone : emDim;
  const bool focused = &control == focused_;

  if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
    DrawPages(*pages, px, py, cells, clip, enabled, focused);
  } else if (auto* group = dynamic_cast<TGroupBox*>(&control)) {
    const TCellRect frame{Row(py + kGroupFrameInset), cells.Left,
                          Row(py + height - kGroupFrameInset), cells.Right};
    screen_.Frame(frame, TLook::Normal, dim, clip);
    const bool active =
        group->Font()->Color == clActiveCaption || group->EffectiveFont().Color == clActiveCaption;
    screen_.Text(frame.Top, frame.Left + 1, group->Caption(),
                 active ? TLook::GroupCaption : TLook::Normal, dim,
                 clip.Intersect({frame.Top, frame.Left + 1, frame.Top, frame.Right - 1}));
    DrawChildren(*group, px, py,
                 clip.Intersect({frame.Top + 1, frame.Left + 1, frame.Bottom - 1, frame.Right - 1}),
                 enabled, note);
  } else if (auto* panel = dynamic_cast<TPanel*>(&control)) {
    screen_.Fill(cells, TLook::Note, dim, clip);
    const std::string& caption = panel->Caption();
    const int span = cells.Right - cells.Left + 1;
    screen_.Text(middle, cells.Left + std::max(0, (span - TextWidth(caption)) / 2), caption,
                 TLook::Note, dim, clip.Intersect(cells));
    DrawChildren(*panel, px, py, clip.Intersect(cells), enabled, true);
  } else if (auto* label = dynamic_cast<TLabel*>(&control)) {
    DrawLabel(*label, cells, middle, clip, dim, note);
  } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
    DrawEdit(*edit, {middle, cells.Left, middle, cells.Right}, clip, dim, focused);
  } else if (auto* button = dynamic_cast<TButton*>(&control)) {
    const std::string text = ButtonText(button->Caption());
    const int span = cells.Right - cells.Left + 1;
    const int start = cells.Left + std::max(0, (span - TextWidth(text)) / 2);
    unsigned emphasis = dim;
    if (focused) emphasis |= emReverse;
    if (button->Default()) emphasis |= emBold;
    screen_.Text(middle, start, text, note ? TLook::Note : TLook::Normal, emphasis, clip);
    if (focused) screen_.PlaceCursor(middle, start + 2);
  } else if (dynamic_cast<TImage*>(&control)) {
    screen_.Frame(cells, TLook::Normal, dim | emDim, clip);
  } else if (auto* windowed = dynamic_cast<TWinControl*>(&control)) {
    DrawChildren(*windowed, px, py, clip.Intersect(cells), enabled, note);
  }
}

void TDialogView::DrawPages(TPageControl& pages, int px, int py, const TCellRect& cells,
                            const TCellRect& clip, bool enabled, bool focused) {
  const unsigned dim = enabled ? emNone : emDim;
  const TCellRect frame{cells.Top + 1, cells.Left, cells.Bottom, cells.Right};
  screen_.Frame(frame, TLook::Normal, dim, clip);
  TTabSheet* shown = ShownPage(pages);
  int col = cells.Left + 1;
  for (TTabSheet* page : VisibleTabs(pages)) {
    const bool active = page == shown;
    const std::string text = (active ? "[ " : "  ") + page->Caption() + (active ? " ]" : "  ");
    unsigned emphasis = dim;
    if (active) emphasis |= focused ? emReverse : emBold;
    screen_.Text(cells.Top, col, text, TLook::Normal, emphasis, clip);
    if (active && focused) screen_.PlaceCursor(cells.Top, col + 2);
    col += TextWidth(text) + 1;
  }
  if (!shown) return;
  const int border = shown->BorderWidth();
  DrawChildren(*shown, px + kPageInsetLeft + border, py + kPageInsetTop + border,
               clip.Intersect({frame.Top + 1, frame.Left + 1, frame.Bottom - 1, frame.Right - 1}),
               enabled && shown->Enabled(), false);
}

void TDialogView::DrawLabel(const TLabel& label, const TCellRect& cells, int middle,
                            const TCellRect& clip, unsigned dim, bool note) {
  unsigned emphasis = dim;
  if (label.EffectiveFont().Style.Contains(fsBold)) emphasis |= emBold;
  const TLook look = note ? TLook::Note : TLook::Normal;
  if (!label.WordWrap()) {
    screen_.Text(middle, cells.Left, SplitLines(label.Caption()).front(), look, emphasis, clip);
    return;
  }
  const std::vector<std::string> lines = WrapText(label.Caption(), cells.Right - cells.Left + 1);
  // A label one text line high stands in the middle of its rectangle, like a single line.
  int row = lines.size() == 1 && label.Height() < 2 * kCellHeight ? middle : cells.Top;
  for (const std::string& line : lines) screen_.Text(row++, cells.Left, line, look, emphasis, clip);
}

void TDialogView::DrawEdit(const TEdit& edit, const TCellRect& field, const TCellRect& clip,
                           unsigned dim, bool focused) {
  // The text keeps one cell of margin on the left, as an edit's border does; the focused field
  // stands out from the others, not only by its cursor.
  DrawField(screen_, focus_.Caret(edit), edit.Text(), field, field.Left + 1,
            focused ? TLook::FocusedField : TLook::Field, dim, clip, focused);
}

}  // namespace wdx::terminal
