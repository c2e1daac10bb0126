#include "framework/ui/terminal/DialogKeys.h"

#include <algorithm>

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/DialogButtons.h"
#include "framework/ui/FocusOrder.h"
#include "framework/ui/PageKeys.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/KeyMatch.h"
#include "framework/ui/terminal/TerminalTexts.h"

namespace wdx::terminal {

namespace {

using F = TFunctionKey;

// The terminal's page keys as the dialog's rules know them.
TKeyChord ChordOf(const TKey& key) {
  if (key.Is(F::CtrlTab)) return {TKeyChord::Tab, true, false};
  if (key.Is(F::CtrlShiftTab)) return {TKeyChord::Tab, true, true};
  if (key.Is(F::CtrlPageDown)) return {TKeyChord::PageDown, true, false};
  if (key.Is(F::CtrlPageUp)) return {TKeyChord::PageUp, true, false};
  return {};
}

void Append(std::vector<TBinding>& keys, std::vector<TBinding>& more) {
  keys.insert(keys.end(), std::make_move_iterator(more.begin()),
              std::make_move_iterator(more.end()));
}

}  // namespace

void TDialogKeys::Handle(const TKey& key) {
  for (const TBinding& binding : Bindings()) {
    if (binding.Matches(key)) {
      binding.Run(key);
      return;
    }
  }
}

std::string TDialogKeys::Help() {
  std::string help;
  for (const TBinding& binding : Bindings()) {
    if (binding.Help.empty()) continue;
    help += (help.empty() ? "" : "  ") + binding.Help;
  }
  return help;
}

std::vector<TBinding> TDialogKeys::Bindings() {
  std::vector<TBinding> keys;
  TControl* focus = focus_.Focused();
  TControlKeys own;
  if (const TTerminalKind* kind = focus ? TerminalKinds().Find(*focus) : nullptr;
      kind && kind->Keys) {
    TKeyContext context{form_, focus_, host_};
    kind->Keys(context, *focus, own);
  }

  if (FocusOrder(form_).size() > 1) {
    keys.push_back({Translate(texts::kNextPrevious),
                    [](const TKey& key) { return key.IsTab() || key.Is(F::BackTab); },
                    [this](const TKey& key) { focus_.Move(key.IsTab() ? 1 : -1); }});
  }
  Append(keys, own.First);
  if (PagesToSwitch(form_, focus)) {
    keys.push_back({own.ShowsPages ? "" : Translate(texts::kPagesByKeys),
                    [](const TKey& key) { return PageStep(ChordOf(key)) != 0; },
                    [this, focus](const TKey& key) {
                      TControl* next = nullptr;
                      if (HandlePageKey(form_, focus, ChordOf(key), next) && next) focus_.Set(next);
                    }});
  }
  // The control's own keys that the help names come before Enter and Escape; its others (an
  // edit's, which take any key) after them.
  std::vector<TBinding> unnamed;
  for (TBinding& binding : own.Own) {
    (binding.Help.empty() ? unnamed : keys).push_back(std::move(binding));
  }
  if (!own.Press.empty()) {
    Append(keys, own.Press);
  } else if (TButton* byDefault = own.TakesEnter ? nullptr : DefaultButton(form_)) {
    keys.push_back({Translate(texts::kEnter, {{"button", byDefault->Caption()}}),
                    [](const TKey& key) { return key.IsEnter(); },
                    [byDefault](const TKey&) { PressButton(byDefault); }});
  }
  if (TButton* cancel = CancelButton(form_)) {
    keys.push_back({Translate(texts::kEscape, {{"button", cancel->Caption()}}),
                    [](const TKey& key) { return key.IsEscape(); },
                    [cancel](const TKey&) { PressButton(cancel); }});
  }
  Append(keys, unnamed);
  if (!own.FocusArrows.empty()) {
    keys.push_back({"", AnyOf(own.FocusArrows), [this](const TKey& key) {
                      focus_.Move(key.Is(F::Up) || key.Is(F::Left) ? -1 : 1);
                    }});
  }
  return keys;
}

}  // namespace wdx::terminal
