// One form whose controls stand in no particular order, given to the terminal front-end's keys and
// to the window front-end's real windows: the same keys take the focus to the same controls and
// show the same pages.
#include <gtest/gtest.h>

#include <array>
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

struct TStep {
  const char* Key;  // a name of the table below
  const char* Focus;
  const char* Page;
};

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
  form.Rename("Unordered");
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  Add<TButton>(form, &form, "btLast");
  auto* pages = Add<TPageControl>(form, &form, "Pages", 1);
  pages->SetBounds(8, 40, 280, 150);
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

const std::vector<TStep> kSteps = {
    {"", "btFirst", "First"},          {"Tab", "Pages", "First"},
    {"Tab", "edA", "First"},           {"Tab", "edB", "First"},
    {"Tab", "edInBox", "First"},       {"Tab", "btLast", "First"},
    {"Tab", "btFirst", "First"},       {"Shift+Tab", "btLast", "First"},
    {"Ctrl+Tab", "edOther", "Second"}, {"Tab", "btOther", "Second"},
    {"Ctrl+PgDn", "edA", "First"},     {"Ctrl+Shift+Tab", "edOther", "Second"},
    {"Ctrl+PgUp", "edA", "First"},
};

std::string Seen(const TForm& form, const TControl* focus) {
  const auto* pages = dynamic_cast<const TPageControl*>(form.FindComponent("Pages"));
  return std::string(focus ? focus->Name() : "(none)") + " on " + ShownPage(*pages)->Name();
}

std::vector<std::string> Expected() {
  std::vector<std::string> seen;
  for (const TStep& step : kSteps) seen.push_back(std::string(step.Focus) + " on " + step.Page);
  return seen;
}

std::vector<std::string> InTheTerminal() {
  TForm form(nullptr);
  Populate(form);
  terminal::TDialogFocus focus(form);
  terminal::TDialogKeys keys(form, focus);
  const std::map<std::string, terminal::TKey> named = {
      {"Tab", terminal::TKey::Character('\t')},
      {"Shift+Tab", terminal::TKey::Named(TFunctionKey::BackTab)},
      {"Ctrl+Tab", terminal::TKey::Named(TFunctionKey::CtrlTab)},
      {"Ctrl+Shift+Tab", terminal::TKey::Named(TFunctionKey::CtrlShiftTab)},
      {"Ctrl+PgDn", terminal::TKey::Named(TFunctionKey::CtrlPageDown)},
      {"Ctrl+PgUp", terminal::TKey::Named(TFunctionKey::CtrlPageUp)}};
  std::vector<std::string> seen;
  for (const TStep& step : kSteps) {
    if (*step.Key) keys.Handle(named.at(step.Key));
    seen.push_back(Seen(form, focus.Focused()));
  }
  return seen;
}

// Presses a key in the window front-end's way: the modifiers in the thread's keyboard state, the
// key through the navigation and then, as the message loop does, the dialog manager.
void Press(HWND form, win32::TKeyboardNavigation& keyboard, const std::string& name) {
  BYTE state[256] = {};
  const bool ctrl = name.rfind("Ctrl+", 0) == 0;
  if (ctrl) state[VK_CONTROL] = 0x80;
  if (name.find("Shift+") != std::string::npos) state[VK_SHIFT] = 0x80;
  SetKeyboardState(state);
  const WPARAM key = name.ends_with("PgDn") ? VK_NEXT : name.ends_with("PgUp") ? VK_PRIOR : VK_TAB;
  MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
  if (!keyboard.PreTranslate(message)) IsDialogMessageA(form, &message);
  SetKeyboardState(std::array<BYTE, 256>{}.data());
}

std::vector<std::string> InTheWindow() {
  TForm form(nullptr);
  Populate(form);
  win32::TBuiltForm built(form);
  win32::TPropertyMirror mirror(form, built.Windows, built.Gdi, built.Tabs, built.Builder);
  win32::TKeyboardNavigation keyboard(form, built.Windows);
  TControl::SetChangeHook([&](TControl& control) { mirror.Changed(control); });
  std::vector<std::string> seen;
  HWND window = built.Windows.FormWindow();
  ShowWindow(window, SW_SHOWNORMAL);
  keyboard.FocusFirst();
  for (const TStep& step : kSteps) {
    if (*step.Key) Press(window, keyboard, step.Key);
    seen.push_back(Seen(form, keyboard.Focused()));
  }
  TControl::SetChangeHook(nullptr);
  return seen;
}

TEST(FrontEndAgreement, TheSameKeysTakeTheFocusToTheSameControls) {
  const std::vector<std::string> expected = Expected();
  EXPECT_EQ(InTheTerminal(), expected);
  EXPECT_EQ(InTheWindow(), expected);
}

}  // namespace
}  // namespace wdx
