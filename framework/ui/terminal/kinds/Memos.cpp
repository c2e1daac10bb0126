// A memo: its lines in a field, scrolled to show the caret while it has the focus; the editing
// keys of a text of several lines (TextArea.h) change them. Enter breaks a line here instead of
// pressing the default button.
#include <algorithm>

#include "framework/controls/Memo.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

namespace {

std::vector<std::string> LinesOf(const TMemo& memo) {
  std::vector<std::string> lines;
  for (int i = 0; i < memo.Lines()->Count(); ++i) lines.push_back(memo.Lines()->Get(i));
  if (lines.empty()) lines.emplace_back();
  return lines;
}

}  // namespace

TTerminalKind Memo() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& memo = As<TMemo>(control);
    const TLook look = place.FieldLook();
    const TCellRect& cells = place.Cells;
    TCanvas& canvas = view.Canvas();
    canvas.Fill(cells, look, place.Dim(), place.Clip);
    // The text keeps one cell of margin on the left, as an edit's does.
    const int rows = cells.Bottom - cells.Top + 1;
    const int columns = cells.Right - cells.Left;
    const std::vector<std::string> lines = LinesOf(memo);
    TTextArea& area = view.Focus().State(control).Area;
    area.Fit(lines, rows, columns);
    const TCellRect inside =
        place.Clip.Intersect({cells.Top, cells.Left + 1, cells.Bottom, cells.Right});
    for (int row = 0; row < rows && area.TopLine + row < static_cast<int>(lines.size()); ++row) {
      const std::string_view line = lines[static_cast<size_t>(area.TopLine + row)];
      canvas.Text(cells.Top + row, cells.Left + 1,
                  std::string(line.substr(FittingPrefix(line, area.LeftCells))), look, place.Dim(),
                  inside);
    }
    if (place.Focused) {
      const std::string_view line = lines[static_cast<size_t>(area.Line)];
      canvas.PlaceCursor(cells.Top + area.Line - area.TopLine,
                         cells.Left + 1 + TextWidth(line.substr(0, area.Offset)) - area.LeftCells);
    }
  };
  kind.Keys = [](TKeyContext& context, TControl& control, TControlKeys& keys) {
    auto* memo = &As<TMemo>(control);
    TViewState* state = &context.Focus.State(control);
    keys.TakesEnter = true;
    keys.Own.push_back({"", [](const TKey&) { return true; },
                        [state, memo](const TKey& key) {
                          std::vector<std::string> lines = LinesOf(*memo);
                          bool changed = false;
                          state->Area.Key(lines, key, memo->ReadOnly(),
                                          state->Cells.Bottom - state->Cells.Top, changed);
                          if (!changed) return;
                          if (lines.size() == 1 && lines.front().empty()) lines.clear();
                          DispatchEvent(memo,
                                        [memo, &lines] { memo->SetLineList(std::move(lines)); });
                        }});
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
