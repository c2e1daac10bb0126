// A radio group: a group box with a "( ) item" per item, laid out in its columns as the system lays
// out its buttons; its arrows choose the next or previous item, going round, and Space the first
// when none is chosen.
#include <algorithm>

#include "framework/controls/RadioGroup.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/KeyMatch.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/kinds/GroupFrame.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

namespace {

using F = TFunctionKey;

// The height of a line of the dialog's font, which the caption takes at the top.
constexpr int kTextHeight = 13;

void DrawItems(TDialogView& view, const TRadioGroup& group, const TPlace& place,
               const TCellRect& inside) {
  const int count = group.Items()->Count();
  if (count == 0) return;
  const int columns = std::max(group.Columns(), 1);
  const int perColumn = (count + columns - 1) / columns;
  const int room = std::max(group.Height() - kTextHeight - 5, 0);
  const int itemHeight = room / perColumn;
  const int topMargin = kTextHeight + 1 + (room % perColumn) / 2;
  const int itemWidth = std::max((group.Width() - 10) / columns, 1);
  const int focusItem = std::max(group.ItemIndex(), 0);
  for (int i = 0; i < count; ++i) {
    const int x = place.X + 8 + (i / perColumn) * itemWidth;
    const int y = place.Y + topMargin + (i % perColumn) * itemHeight;
    const int row = view.Row(y + itemHeight / 2);
    const int left = view.Col(x);
    const TCellRect cell = inside.Intersect({row, left, row, view.Col(x + itemWidth) - 1});
    const bool focused = place.Focused && i == focusItem;
    const char* mark = i == group.ItemIndex() ? "(*)" : "( )";
    view.Canvas().Text(row, left, mark, TLook::Normal, place.Dim() | (focused ? emReverse : emNone),
                       cell);
    view.Canvas().Text(row, left + 4, group.Items()->Get(i), TLook::Normal, place.Dim(), cell);
    if (focused) view.Canvas().PlaceCursor(row, left + 1);
  }
}

}  // namespace

TTerminalKind RadioGroup() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& group = As<TRadioGroup>(control);
    DrawItems(view, group, place, DrawGroupFrame(view, group, place));
  };
  kind.Keys = [](TKeyContext&, TControl& control, TControlKeys& keys) {
    auto* group = &As<TRadioGroup>(control);
    auto choose = [group](int index) {
      DispatchEvent(group, [group, index] { group->SetItemIndex(index); });
    };
    const int count = group->Items()->Count();
    if (group->ItemIndex() < 0) {
      keys.Own.push_back({Translate(texts::kCheck), [](const TKey& key) { return key.IsChar(' '); },
                          [choose](const TKey&) { choose(0); }});
    }
    keys.Own.push_back({Translate(texts::kChoose), AnyOf({F::Up, F::Down, F::Left, F::Right}),
                        [group, choose, count](const TKey& key) {
                          const int step = key.Is(F::Up) || key.Is(F::Left) ? -1 : 1;
                          const int from = std::max(group->ItemIndex(), 0);
                          choose(((from + step) % count + count) % count);
                        }});
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
