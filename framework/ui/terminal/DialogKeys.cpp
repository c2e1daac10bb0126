#include "framework/ui/terminal/DialogKeys.h"

#include <algorithm>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/DialogButtons.h"
#include "framework/ui/FocusOrder.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/PageKeys.h"
#include "framework/ui/Pages.h"
#include "framework/ui/terminal/DialogFocus.h"

namespace wdx::terminal {

namespace {

using F = TFunctionKey;

std::function<bool(const TKey&)> AnyOf(std::vector<F> keys) {
  return [keys](const TKey& key) {
    return std::any_of(keys.begin(), keys.end(), [&](F k) { return key.Is(k); });
  };
}

// The terminal's page keys as the dialog's rules know them.
TKeyChord ChordOf(const TKey& key) {
  if (key.Is(F::CtrlTab)) return {TKeyChord::Tab, true, false};
  if (key.Is(F::CtrlShiftTab)) return {TKeyChord::Tab, true, true};
  if (key.Is(F::CtrlPageDown)) return {TKeyChord::PageDown, true, false};
  if (key.Is(F::CtrlPageUp)) return {TKeyChord::PageUp, true, false};
  return {};
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

std::vector<TDialogKeys::TBinding> TDialogKeys::Bindings() {
  std::vector<TBinding> keys;
  TControl* focus = focus_.Focused();
  auto* button = dynamic_cast<TButton*>(focus);
  auto* edit = dynamic_cast<TEdit*>(focus);
  auto* strip = dynamic_cast<TPageControl*>(focus);

  if (FocusOrder(form_).size() > 1) {
    keys.push_back({"Tab/Shift+Tab: next/previous",
                    [](const TKey& key) { return key.IsTab() || key.Is(F::BackTab); },
                    [this](const TKey& key) { focus_.Move(key.IsTab() ? 1 : -1); }});
  }
  if (strip && VisibleTabs(*strip).size() > 1) {
    // On the tab strip the arrows switch pages without going round; the focus stays there.
    keys.push_back({"Left/Right: pages", AnyOf({F::Left, F::Right}), [strip](const TKey& key) {
                      if (TTabSheet* page = NeighbourPage(*strip, key.Is(F::Left) ? -1 : 1, false))
                        ShowPage(*strip, *page);
                    }});
  }
  if (PagesToSwitch(form_, focus)) {
    keys.push_back({strip ? "" : "Ctrl+PgDn/PgUp: pages",
                    [](const TKey& key) { return PageStep(ChordOf(key)) != 0; },
                    [this, focus](const TKey& key) {
                      TControl* next = nullptr;
                      if (HandlePageKey(form_, focus, ChordOf(key), next) && next) focus_.Set(next);
                    }});
  }
  if (button) {
    keys.push_back({"Enter/Space: " + button->Caption(),
                    [](const TKey& key) { return key.IsEnter() || key.IsChar(' '); },
                    [button](const TKey&) { PressButton(button); }});
  } else if (TButton* byDefault = DefaultButton(form_)) {
    keys.push_back({"Enter: " + byDefault->Caption(), [](const TKey& key) { return key.IsEnter(); },
                    [byDefault](const TKey&) { PressButton(byDefault); }});
  }
  if (TButton* cancel = CancelButton(form_)) {
    keys.push_back({"Esc: " + cancel->Caption(), [](const TKey& key) { return key.IsEscape(); },
                    [cancel](const TKey&) { PressButton(cancel); }});
  }
  if (edit) {
    keys.push_back({"", [](const TKey&) { return true; },
                    [this, edit](const TKey& key) {
                      const bool edited = focus_.Caret(*edit).Key(
                          edit->Text(), key, edit->ReadOnly(), [&](const std::string& text) {
                            DispatchEvent(edit, [&] { edit->SetText(text); });
                          });
                      if (!edited && (key.Is(F::Up) || key.Is(F::Down))) {
                        focus_.Move(key.Is(F::Up) ? -1 : 1);
                      }
                    }});
  } else if (focus) {
    // Outside an edit's text the arrows move the focus (on a tab strip only Up and Down do).
    std::vector<F> arrows = {F::Up, F::Down};
    if (!strip) arrows.insert(arrows.end(), {F::Left, F::Right});
    keys.push_back({"", AnyOf(arrows), [this](const TKey& key) {
                      focus_.Move(key.Is(F::Up) || key.Is(F::Left) ? -1 : 1);
                    }});
  }
  return keys;
}

}  // namespace wdx::terminal
