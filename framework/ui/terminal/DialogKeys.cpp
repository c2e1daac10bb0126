#include "framework/ui/terminal/DialogKeys.h"

#include <algorithm>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/terminal/ControlTree.h"
#include "framework/ui/terminal/DialogFocus.h"

namespace wdx::terminal {

namespace {

using F = TFunctionKey;

std::function<bool(const TKey&)> AnyOf(std::vector<F> keys) {
  return [keys](const TKey& key) {
    return std::any_of(keys.begin(), keys.end(), [&](F k) { return key.Is(k); });
  };
}

void Press(TButton* button) {
  if (!button || !Usable(button)) return;
  DispatchEvent(button, [&] { button->Click(); });
}

// Whether `control` is `ancestor` or lies inside it.
bool Within(const TControl* control, const TControl* ancestor) {
  for (; control; control = control->Parent()) {
    if (control == ancestor) return true;
  }
  return false;
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
  TPageControl* pages = PagesToSwitch();

  if (FocusOrder(form_).size() > 1) {
    keys.push_back({"Tab/Shift+Tab: next/previous",
                    [](const TKey& key) { return key.IsTab() || key.Is(F::BackTab); },
                    [this](const TKey& key) { focus_.Move(key.IsTab() ? 1 : -1); }});
  }
  if (strip && VisibleTabs(*strip).size() > 1) {
    keys.push_back(
        {"Left/Right: pages", AnyOf({F::Left, F::Right}),
         [this, strip](const TKey& key) { SwitchPage(*strip, key.Is(F::Left) ? -1 : 1, false); }});
  }
  if (pages) {
    keys.push_back({strip ? "" : "Ctrl+PgDn/PgUp: pages",
                    AnyOf({F::CtrlTab, F::CtrlShiftTab, F::CtrlPageDown, F::CtrlPageUp}),
                    [this, pages](const TKey& key) {
                      const bool back = key.Is(F::CtrlShiftTab) || key.Is(F::CtrlPageUp);
                      SwitchPage(*pages, back ? -1 : 1, true);
                    }});
  }
  if (button) {
    keys.push_back({"Enter/Space: " + button->Caption(),
                    [](const TKey& key) { return key.IsEnter() || key.IsChar(' '); },
                    [button](const TKey&) { Press(button); }});
  } else if (TButton* byDefault = DefaultButton(form_)) {
    keys.push_back({"Enter: " + byDefault->Caption(), [](const TKey& key) { return key.IsEnter(); },
                    [byDefault](const TKey&) { Press(byDefault); }});
  }
  auto* cancel = dynamic_cast<TButton*>(form_.FindComponent("btCancel"));
  if (cancel && Usable(cancel)) {
    keys.push_back({"Esc: " + cancel->Caption(), [](const TKey& key) { return key.IsEscape(); },
                    [cancel](const TKey&) { Press(cancel); }});
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

TPageControl* TDialogKeys::PagesToSwitch() {
  TPageControl* first = nullptr;
  for (int i = 0; i < form_.ComponentCount(); ++i) {
    auto* pages = dynamic_cast<TPageControl*>(form_.Components(i));
    if (!pages || !Usable(pages) || VisibleTabs(*pages).size() < 2) continue;
    if (Within(focus_.Focused(), pages)) return pages;
    if (!first) first = pages;
  }
  return first;
}

void TDialogKeys::SwitchPage(TPageControl& pages, int step, bool wrap) {
  const std::vector<TTabSheet*> tabs = VisibleTabs(pages);
  const auto at = std::find(tabs.begin(), tabs.end(), ShownPage(pages));
  if (at == tabs.end()) return;
  const auto count = static_cast<std::ptrdiff_t>(tabs.size());
  std::ptrdiff_t index = (at - tabs.begin()) + step;
  if (wrap) index = (index % count + count) % count;
  if (index < 0 || index >= count) return;
  TControl* focus = focus_.Focused();
  const bool onOldPage = focus != &pages && Within(focus, *at);
  TTabSheet* page = tabs[static_cast<size_t>(index)];
  DispatchEvent(&pages, [&] {
    pages.SetActivePage(page);
    pages.OnChange(&pages);
  });
  // The focus follows onto the new page when it was on the old one: to its first control, or to
  // the tab strip when the page has none.
  if (onOldPage) {
    TControl* target = &pages;
    for (TControl* control : FocusOrder(form_)) {
      if (Within(control, page)) {
        target = control;
        break;
      }
    }
    focus_.Set(target);
  }
}

}  // namespace wdx::terminal
