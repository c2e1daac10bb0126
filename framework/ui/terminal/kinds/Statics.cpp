// Controls that only show something: a label's text, an image's frame.
#include <vector>

#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/TextLayout.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

TTerminalKind Label() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& label = CastTo<TLabel>(&control);
    TCanvas& canvas = view.Canvas();
    unsigned emphasis = place.Dim();
    if (label.EffectiveFont().Style.Contains(fsBold)) emphasis |= emBold;
    const TCellRect& cells = place.Cells;
    if (!label.WordWrap()) {
      canvas.Text(place.Middle, cells.Left, SplitLines(label.Caption()).front(), place.Look(),
                  emphasis, place.Clip);
      return;
    }
    const std::vector<std::string> lines = WrapText(label.Caption(), cells.Right - cells.Left + 1);
    // A label one text line high stands in the middle of its rectangle, like a single line.
    const bool oneLine = lines.size() == 1 && label.Height() < 2 * kCellHeight;
    int row = oneLine ? place.Middle : cells.Top;
    for (const std::string& line : lines) {
      canvas.Text(row++, cells.Left, line, place.Look(), emphasis, place.Clip);
    }
  };
  return kind;
}

TTerminalKind Image() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl&, const TPlace& place) {
    view.Canvas().Frame(place.Cells, TLook::Normal, place.Dim() | emDim, place.Clip);
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
