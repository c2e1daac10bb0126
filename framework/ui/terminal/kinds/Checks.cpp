// A check box, "[x] Caption", whose Space checks and unchecks it; a radio button, "(*) Caption",
// whose Space checks it and whose arrows check the next or previous radio button of its group.
#include "framework/controls/CheckBoxes.h"
#include "framework/ui/Choices.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/KeyMatch.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

namespace {

using F = TFunctionKey;

const std::vector<F> kArrows = {F::Up, F::Down, F::Left, F::Right};

// "[x] Caption": the mark stands out while the control has the focus, and the cursor sits in it.
void DrawMarked(TDialogView& view, const TControl& control, const TPlace& place,
                const std::string& mark) {
  TCanvas& canvas = view.Canvas();
  const int left = place.Cells.Left;
  canvas.Text(place.Middle, left, mark, place.Look(),
              place.Dim() | (place.Focused ? emReverse : emNone), place.Clip);
  canvas.Text(place.Middle, left + 4, control.Caption(), place.Look(), place.Dim(),
              place.Clip.Intersect(place.Cells));
  if (place.Focused) canvas.PlaceCursor(place.Middle, left + 1);
}

bool IsSpace(const TKey& key) {
  return key.IsChar(' ');
}

}  // namespace

TTerminalKind CheckBox() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    DrawMarked(view, control, place, As<TCheckBox>(control).Checked() ? "[x]" : "[ ]");
  };
  kind.Keys = [](TKeyContext&, TControl& control, TControlKeys& keys) {
    auto* box = &As<TCheckBox>(control);
    keys.Own.push_back({Translate(texts::kToggle), IsSpace, [box](const TKey&) {
                          DispatchEvent(box, [box] { box->SetChecked(!box->Checked()); });
                        }});
    keys.FocusArrows = kArrows;
  };
  return kind;
}

TTerminalKind RadioButton() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    DrawMarked(view, control, place, As<TRadioButton>(control).Checked() ? "(*)" : "( )");
  };
  kind.Keys = [](TKeyContext& context, TControl& control, TControlKeys& keys) {
    auto* button = &As<TRadioButton>(control);
    auto check = [](TRadioButton* radio) {
      DispatchEvent(radio, [radio] { radio->SetChecked(true); });
    };
    if (!button->Checked()) {
      keys.Own.push_back(
          {Translate(texts::kCheck), IsSpace, [button, check](const TKey&) { check(button); }});
    }
    if (!NeighbourRadio(*button, 1)) {
      keys.FocusArrows = kArrows;
      return;
    }
    TDialogFocus* focus = &context.Focus;
    keys.Own.push_back(
        {Translate(texts::kChoose), AnyOf(kArrows), [button, check, focus](const TKey& key) {
           const bool back = key.Is(F::Up) || key.Is(F::Left);
           if (TRadioButton* next = NeighbourRadio(*button, back ? -1 : 1)) {
             check(next);
             focus->Set(next);
           }
         }});
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
