// A push button: "[ Caption ]", centred in its rectangle; Enter and Space press it.
#include <algorithm>

#include "framework/controls/StdCtrls.h"
#include "framework/ui/DialogButtons.h"
#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/TextLayout.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

TTerminalKind Button() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& button = CastTo<TButton>(&control);
    const std::string text = ButtonText(button.Caption());
    const int span = place.Cells.Right - place.Cells.Left + 1;
    const int start = place.Cells.Left + std::max(0, (span - TextWidth(text)) / 2);
    unsigned emphasis = place.Dim();
    if (place.Focused) emphasis |= emReverse;
    if (button.Default()) emphasis |= emBold;
    view.Canvas().Text(place.Middle, start, text, place.Look(), emphasis, place.Clip);
    if (place.Focused) view.Canvas().PlaceCursor(place.Middle, start + 2);
  };
  kind.Keys = [](TKeyContext&, TControl& control, TControlKeys& keys) {
    auto* button = &CastTo<TButton>(&control);
    keys.Press.push_back({Translate(texts::kEnterSpace, {{"button", button->Caption()}}),
                          [](const TKey& key) { return key.IsEnter() || key.IsChar(' '); },
                          [button](const TKey&) { PressButton(button); }});
    keys.FocusArrows = {TFunctionKey::Up, TFunctionKey::Down, TFunctionKey::Left,
                        TFunctionKey::Right};
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
