// A one-line edit: its text in a field, with a caret while it has the focus; the editing keys
// change the text, and Up and Down move the focus.
#include "framework/controls/StdCtrls.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/FieldView.h"
#include "framework/ui/terminal/kinds/StandardKinds.h"

namespace wdx::terminal::kinds {

TTerminalKind Edit() {
  TTerminalKind kind;
  kind.Draw = [](TDialogView& view, TControl& control, const TPlace& place) {
    const auto& edit = CastTo<TEdit>(&control);
    const TCellRect field{place.Middle, place.Cells.Left, place.Middle, place.Cells.Right};
    // The text keeps one cell of margin on the left, as an edit's border does; the focused field
    // stands out from the others, not only by its cursor.
    DrawField(view.Canvas(), view.Focus().Caret(edit), edit.Text(), field, field.Left + 1,
              place.FieldLook(), place.Dim(), place.Clip,
              place.Focused);
  };
  kind.Keys = [](TKeyContext& context, TControl& control, TControlKeys& keys) {
    auto* edit = &CastTo<TEdit>(&control);
    TDialogFocus* focus = &context.Focus;
    keys.Own.push_back({"", [](const TKey&) { return true; },
                        [focus, edit](const TKey& key) {
                          const bool edited = focus->Caret(*edit).Key(
                              edit->Text(), key, edit->ReadOnly(), [&](const std::string& text) {
                                DispatchEvent(edit, [&] { edit->SetText(text); });
                              });
                          const bool up = key.Is(TFunctionKey::Up);
                          if (!edited && (up || key.Is(TFunctionKey::Down)))
                            focus->Move(up ? -1 : 1);
                        }});
  };
  kind.Focused = [](TControl& control, TViewState& state) {
    state.Line.Cursor = CastTo<TEdit>(&control).Text().size();
  };
  return kind;
}

}  // namespace wdx::terminal::kinds
