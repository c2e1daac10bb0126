// A page control: its tabs in a row above a frame, the shown one as "[ Caption ]", and the shown
// page's controls inside. On the tab strip Left and Right switch pages without going round.
#include <string>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/ui/Pages.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/KeyMatch.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

namespace {

void DrawPages(TDialogView& view, TPageControl& pages, const TPlace& place) {
  TCanvas& canvas = view.Canvas();
  const TCellRect& cells = place.Cells;
  const TCellRect frame{cells.Top + 1, cells.Left, cells.Bottom, cells.Right};
  canvas.Frame(frame, TLook::Normal, place.Dim(), place.Clip);
  TTabSheet* shown = ShownPage(pages);
  int col = cells.Left + 1;
  for (TTabSheet* page : VisibleTabs(pages)) {
    const bool active = page == shown;
    const std::string text = (active ? "[ " : "  ") + page->Caption() + (active ? " ]" : "  ");
    unsigned emphasis = place.Dim();
    if (active) emphasis |= place.Focused ? emReverse : emBold;
    canvas.Text(cells.Top, col, text, TLook::Normal, emphasis, place.Clip);
    if (active && place.Focused) canvas.PlaceCursor(cells.Top, col + 2);
    col += TextWidth(text) + 1;
  }
  if (!shown) return;
  const int border = shown->BorderWidth();
  view.DrawChildren(
      *shown, place.X + kPageInsetLeft + border, place.Y + kPageInsetTop + border,
      place.Clip.Intersect({frame.Top + 1, frame.Left + 1, frame.Bottom - 1, frame.Right - 1}),
      place.Enabled && shown->Enabled(), false);
}

}  // namespace

TTerminalKind PageControl() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    DrawPages(view, CastTo<TPageControl>(&control), place);
  };
  kind.Keys = [](TKeyContext&, TControl& control, TControlKeys& keys) {
    auto* strip = &CastTo<TPageControl>(&control);
    if (VisibleTabs(*strip).size() > 1) {
      keys.First.push_back(
          {Translate(texts::kPagesByArrows), AnyOf({TFunctionKey::Left, TFunctionKey::Right}),
           [strip](const TKey& key) {
             // A mirrored form's tabs run from the right: Left goes on.
             const TCustomForm* form = ParentForm(strip);
             const bool onwards = key.Is(TFunctionKey::Left) == (form && form->Mirrored());
             const int step = onwards ? 1 : -1;
             if (TTabSheet* page = NeighbourPage(*strip, step, false)) {
               ShowPage(*strip, *page);
             }
           }});
    }
    keys.ShowsPages = true;
    keys.FocusArrows = {TFunctionKey::Up, TFunctionKey::Down};
  };
  return kind;
}

// A page is drawn by its page control, which shows one page at a time.
TTerminalKind TabSheet() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView&, TControl&, const TPlace&) {};
  return kind;
}

}  // namespace wdx::terminal::kinds
