// A list box: its items a line each in a field, the chosen one standing out; the list keys and
// typing the start of an item choose it.
#include <algorithm>

#include "framework/controls/ListControls.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/kinds/ChoiceKeys.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

TTerminalKind ListBox() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& list = As<TListBox>(control);
    const TLook look = place.FieldLook();
    const TCellRect& cells = place.Cells;
    TCanvas& canvas = view.Canvas();
    canvas.Fill(cells, look, place.Dim(), place.Clip);
    const int rows = cells.Bottom - cells.Top + 1;
    const int chosen = list.ItemIndex();
    int& top = view.Focus().State(control).TopItem;
    if (chosen >= 0 && chosen < top) top = chosen;
    if (chosen >= top + rows) top = chosen - rows + 1;
    top = std::clamp(top, 0, std::max(list.Items()->Count() - rows, 0));
    const TCellRect inside = place.Clip.Intersect(cells);
    for (int row = 0; row < rows && top + row < list.Items()->Count(); ++row) {
      const bool isChosen = top + row == chosen;
      if (isChosen)
        canvas.Fill({cells.Top + row, cells.Left, cells.Top + row, cells.Right}, look,
                    place.Dim() | emReverse, inside);
      canvas.Text(cells.Top + row, cells.Left + 1, list.Items()->Get(top + row), look,
                  place.Dim() | (isChosen ? emReverse : emNone), inside);
    }
    if (place.Focused) {
      canvas.PlaceCursor(cells.Top + std::clamp(chosen - top, 0, rows - 1), cells.Left + 1);
    }
  };
  kind.Keys = [](TKeyContext& context, TControl& control, TControlKeys& keys) {
    auto* list = &As<TListBox>(control);
    TViewState* state = &context.Focus.State(control);
    keys.Own.push_back({Translate(texts::kChoose), IsChoiceKey, [list, state](const TKey& key) {
                          const TCellRect& cells = state->Cells;
                          int to = -1;
                          if (!ListKey(key, list->ItemIndex(), list->Items()->Count(),
                                       cells.Bottom - cells.Top, to)) {
                            to = TypeAhead(*state, *list->Items(), list->ItemIndex(), key);
                          }
                          if (to >= 0) DispatchEvent(list, [list, to] { list->Choose(to); });
                        }});
    keys.FocusArrows = {TFunctionKey::Left, TFunctionKey::Right};
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
