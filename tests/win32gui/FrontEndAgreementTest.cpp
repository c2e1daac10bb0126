// One form whose controls stand in no particular order, given to the terminal front-end's keys and
// to the window front-end's real windows: the same keys take the focus to the same controls and
// show the same pages.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/Pages.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogKeys.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/KeyboardNavigation.h"
#include "framework/ui/win32/PropertyMirror.h"
#include "tests/win32gui/BuiltForm.h"

namespace wdx {
namespace {

using terminal::TFunctionKey;
using terminal::TKey;

template <class T>
T* Add(TForm& form, TWinControl* parent, const char* name, int tabOrder = -1) {
  auto* control = new T(&form);
  control->Rename(name);
  control->SetParent(parent);
  control->SetBounds(8, 8, 60, 20);
  if constexpr (std::is_base_of_v<TWinControl, T>) control->SetTabOrder(tabOrder);
  return control;
}

// Buttons before and after a page control, a group box without a tab order, a hidden and a
// disabled edit, a label; nothing created in tab order.
void Populate(TForm& form) {
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  Add<TButton>(form, &form, "btLast");
  auto* pages = Add<TPageControl>(form, &form, "Pages", 1);
  Add<TButton>(form, &form, "btFirst", 0);
  Add<TLabel>(form, &form, "lbNote");
  auto* first = Add<TTabSheet>(form, pages, "First");
  auto* second = Add<TTabSheet>(form, pages, "Second");
  pages->SetActivePage(first);
  Add<TEdit>(form, first, "edB", 1);
  Add<TEdit>(form, first, "edA", 0);
  Add<TEdit>(form, Add<TGroupBox>(form, first, "Box"), "edInBox", 0);
  Add<TEdit>(form, first, "edHidden", 2)->SetVisible(false);
  Add<TEdit>(form, first, "edOff", 3)->SetEnabled(false);
  Add<TButton>(form, second, "btOther", 1);
  Add<TEdit>(form, second, "edOther", 0);
}

// A key, and where the focus is after it.
const std::vector<std::pair<std::string, std::string>> kSteps = {
    {"", "btFirst on First"},          {"Tab", "Pages on First"},
    {"Tab", "edA on First"},           {"Tab", "edB on First"},
    {"Tab", "edInBox on First"},       {"Tab", "btLast on First"},
    {"Tab", "btFirst on First"},       {"Shift+Tab", "btLast on First"},
    {"Ctrl+Tab", "edOther on Second"}, {"Tab", "btOther on Second"},
    {"Ctrl+PgDn", "edA on First"},     {"Ctrl+Shift+Tab", "edOther on Second"},
    {"Ctrl+PgUp", "edA on First"}};

std::string Seen(const TForm& form, const TControl* focus) {
  const auto& pages = dynamic_cast<const TPageControl&>(*form.FindComponent("Pages"));
  return (focus ? focus->Name() : "(none)") + " on " + ShownPage(pages)->Name();
}

std::vector<std::string> InTheTerminal() {
  TForm form(nullptr);
  Populate(form);
  terminal::TDialogFocus focus(form);
  terminal::TDialogKeys keys(form, focus);
  const std::map<std::string, TKey> named = {
      {"Tab", TKey::Character('\t')},
      {"Shift+Tab", TKey::Named(TFunctionKey::BackTab)},
      {"Ctrl+Tab", TKey::Named(TFunctionKey::CtrlTab)},
      {"Ctrl+Shift+Tab", TKey::Named(TFunctionKey::CtrlShiftTab)},
      {"Ctrl+PgDn", TKey::Named(TFunctionKey::CtrlPageDown)},
      {"Ctrl+PgUp", TKey::Named(TFunctionKey::CtrlPageUp)}};
  std::vector<std::string> seen;
  for (const auto& [key, expected] : kSteps) {
    if (!key.empty()) keys.Handle(named.at(key));
    seen.push_back(Seen(form, focus.Focused()));
  }
  return seen;
}

// A key as the message loop hands it on: the modifiers in the thread's keyboard state, the key to
// the navigation and then to the dialog manager.
void Press(HWND form, win32::TKeyboardNavigation& keyboard, const std::string& name) {
  BYTE state[256] = {};
  state[VK_CONTROL] = name.starts_with("Ctrl+") ? 0x80 : 0;
  state[VK_SHIFT] = name.find("Shift+") != std::string::npos ? 0x80 : 0;
  SetKeyboardState(state);
  const WPARAM key = name.ends_with("PgDn") ? VK_NEXT : name.ends_with("PgUp") ? VK_PRIOR : VK_TAB;
  MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
  if (!keyboard.PreTranslate(message)) IsDialogMessageA(form, &message);
}

std::vector<std::string> InTheWindow() {
  TForm form(nullptr);
  Populate(form);
  win32::TBuiltForm built(form);
  win32::TPropertyMirror mirror(form, built.Windows, built.Gdi, built.Tabs, built.Builder);
  win32::TKeyboardNavigation keyboard(form, built.Builder.Context());
  TControl::SetChangeHook([&](TControl& control) { mirror.Changed(control); });
  ShowWindow(built.Windows.FormWindow(), SW_SHOWNORMAL);
  keyboard.FocusFirst();
  std::vector<std::string> seen;
  for (const auto& [key, expected] : kSteps) {
    if (!key.empty()) Press(built.Windows.FormWindow(), keyboard, key);
    seen.push_back(Seen(form, keyboard.Focused()));
  }
  TControl::SetChangeHook(nullptr);
  return seen;
}

TEST(FrontEndAgreement, TheSameKeysTakeTheFocusToTheSameControls) {
  std::vector<std::string> expected;
  for (const auto& step : kSteps) expected.push_back(step.second);
  EXPECT_EQ(InTheTerminal(), expected);
  EXPECT_EQ(InTheWindow(), expected);
}

}  // namespace
}  // namespace wdx
