// Containers: a group box's frame with its caption in the top line, a panel's note with its
// caption in the middle; their controls inside.
#include <algorithm>

#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/kinds/GroupFrame.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

TCellRect DrawGroupFrame(TDialogView& view, const TGroupBox& group, const TPlace& place) {
  // The frame runs through the middle of the caption.
  const int height = std::max(group.Height(), 1);
  const TCellRect frame{view.Row(place.Y + kGroupFrameInset), place.Cells.Left,
                        view.Row(place.Y + height - kGroupFrameInset), place.Cells.Right};
  TCanvas& canvas = view.Canvas();
  canvas.Frame(frame, TLook::Normal, place.Dim(), place.Clip);
  const bool active =
      group.Font()->Color == clActiveCaption || group.EffectiveFont().Color == clActiveCaption;
  canvas.Text(frame.Top, frame.Left + 1, group.Caption(),
              active ? TLook::GroupCaption : TLook::Normal, place.Dim(),
              place.Clip.Intersect({frame.Top, frame.Left + 1, frame.Top, frame.Right - 1}));
  return place.Clip.Intersect({frame.Top + 1, frame.Left + 1, frame.Bottom - 1, frame.Right - 1});
}

TTerminalKind GroupBox() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& group = CastTo<TGroupBox>(&control);
    const TCellRect inside = DrawGroupFrame(view, group, place);
    view.DrawChildren(group, place.X, place.Y, inside, place.Enabled, place.Note);
  };
  return kind;
}

TTerminalKind Panel() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& panel = CastTo<TPanel>(&control);
    const TCellRect& cells = place.Cells;
    view.Canvas().Fill(cells, TLook::Note, place.Dim(), place.Clip);
    const std::string& caption = panel.Caption();
    const int span = cells.Right - cells.Left + 1;
    view.Canvas().Text(place.Middle, cells.Left + std::max(0, (span - TextWidth(caption)) / 2),
                       caption, TLook::Note, place.Dim(), place.Clip.Intersect(cells));
    view.DrawChildren(panel, place.X, place.Y, place.Clip.Intersect(cells), place.Enabled, true);
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
