// A combo box: its text in a field with a "v" at its end. Up and Down choose the item before or
// after the chosen one; Alt+Down (or F4, or Space on a drop-down list) opens the list under the
// field, where the list keys and typing move, Enter takes the item and Escape closes the list. An
// editable combo box edits its text as an edit does; a drop-down list chooses by typing too.
#include <algorithm>

#include "framework/controls/ListControls.h"
#include "framework/ui/Choices.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/FieldView.h"
#include "framework/ui/terminal/ModalWindow.h"
#include "framework/ui/terminal/TerminalTexts.h"
#include "framework/ui/terminal/kinds/ChoiceKeys.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

namespace {

using F = TFunctionKey;

void Choose(TComboBox* box, int index) {
  if (index >= 0) DispatchEvent(box, [box, index] { box->Choose(index); });
}

// The list, open over the dialog under the field (over it where the screen ends first).
void RunList(TModalHost& host, TViewState& state, TComboBox& box) {
  TCanvas& canvas = host.Screen();
  int highlight = std::max(box.ItemIndex(), 0);
  int top = 0;
  bool take = false;
  auto draw = [&] {
    const int count = box.Items()->Count();
    const int rows = std::clamp(count, 1, box.DropDownCount());
    const TCellRect whole = canvas.Whole();
    int first = state.Middle + 1;
    if (first + rows + 1 > whole.Bottom && state.Middle - rows - 2 >= 0)
      first = state.Middle - rows - 2;
    const TCellRect window{first, state.Cells.Left, first + rows + 1, state.Cells.Right};
    canvas.Fill(window, TLook::Box, emNone, whole);
    canvas.Frame(window, TLook::Box, emNone, whole);
    top = std::clamp(top, std::max(highlight - rows + 1, 0), std::max(highlight, 0));
    const TCellRect inside{window.Top + 1, window.Left + 1, window.Bottom - 1, window.Right - 1};
    for (int row = 0; row < rows && top + row < count; ++row) {
      const bool lit = top + row == highlight;
      canvas.Fill({inside.Top + row, inside.Left, inside.Top + row, inside.Right}, TLook::Box,
                  lit ? emReverse : emNone, inside);
      canvas.Text(inside.Top + row, inside.Left, box.Items()->Get(top + row), TLook::Box,
                  lit ? emReverse : emNone, inside);
      if (lit) canvas.PlaceCursor(inside.Top + row, inside.Left);
    }
  };
  auto key = [&](const TKey& key) {
    const int count = box.Items()->Count();
    int to = -1;
    if (key.IsEnter()) {
      take = true;
      return false;
    }
    if (key.IsEscape() || key.IsTab() || key.Is(F::AltDown) || key.Is(F::F4)) return false;
    if (!ListKey(key, highlight, count, box.DropDownCount() - 1, to)) {
      to = TypeAhead(state, *box.Items(), highlight, key);
    }
    if (to >= 0) highlight = to;
    return true;
  };
  host.Modal(draw, key, [] { return Translate(texts::kListKeys); });
  if (take && highlight < box.Items()->Count()) Choose(&box, highlight);
}

}  // namespace

TTerminalKind ComboBox() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    auto& box = As<TComboBox>(control);
    const TCellRect field{place.Middle, place.Cells.Left, place.Middle, place.Cells.Right - 1};
    const TLook look = place.FieldLook();
    if (box.Editable()) {
      DrawField(view.Canvas(), view.Focus().State(control).Line, box.Text(), field, field.Left + 1,
                look, place.Dim(), place.Clip, place.Focused);
    } else {
      TLineEdit unscrolled;
      DrawField(view.Canvas(), unscrolled, box.Text(), field, field.Left + 1, look, place.Dim(),
                place.Clip, false);
      if (place.Focused) view.Canvas().PlaceCursor(place.Middle, field.Left + 1);
    }
    view.Canvas().Text(place.Middle, place.Cells.Right, "v", TLook::Field, place.Dim() | emReverse,
                       place.Clip);
  };
  kind.Keys = [](TKeyContext& context, TControl& control, TControlKeys& keys) {
    auto* box = &As<TComboBox>(control);
    TViewState* state = &context.Focus.State(control);
    keys.Own.push_back(
        {Translate(texts::kChoose),
         [](const TKey& key) { return key.Is(F::Up) || key.Is(F::Down); },
         [box](const TKey& key) {
           Choose(box, StepItem(box->ItemIndex(), box->Items()->Count(), key.Is(F::Up) ? -1 : 1));
         }});
    if (TModalHost* host = context.Host) {
      const bool list = !box->Editable();
      keys.Own.push_back({Translate(texts::kOpenList),
                          [list](const TKey& key) {
                            return key.Is(F::AltDown) || key.Is(F::F4) || (list && key.IsChar(' '));
                          },
                          [host, state, box](const TKey&) { RunList(*host, *state, *box); }});
    }
    if (box->Editable()) {
      keys.Own.push_back({"", [](const TKey&) { return true; },
                          [state, box](const TKey& key) {
                            state->Line.Key(
                                box->Text(), key, false, [box](const std::string& text) {
                                  DispatchEvent(box, [box, &text] { box->SetText(text); });
                                });
                          }});
      return;
    }
    keys.Own.push_back({"", [](const TKey& key) { return key.Printable(); },
                        [state, box](const TKey& key) {
                          Choose(box, TypeAhead(*state, *box->Items(), box->ItemIndex(), key));
                        }});
    keys.FocusArrows = {F::Left, F::Right};
  };
  kind.Focused = [](TControl& control, TViewState& state) {
    state.Line.Cursor = As<TComboBox>(control).Text().size();
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
