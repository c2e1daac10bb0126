// One form with a check box, radio buttons, a radio group, a list box and a drop-down list, given
// to the terminal front-end's keys and to the window front-end's real windows: the same keys check
// and choose the same, whether the front-end's own code or the system's controls take them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/controls/CheckBoxes.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListControls.h"
#include "framework/controls/RadioGroup.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogKeys.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "tests/win32gui/RoutedForm.h"

namespace wdx {
namespace {

using terminal::TFunctionKey;
using terminal::TKey;

template <class T>
T* Add(TForm& form, const char* name, int top, int tabOrder, std::vector<std::string> items = {}) {
  auto* control = new T(&form);
  control->Rename(name);
  control->SetParent(&form);
  control->SetBounds(8, top, 120, std::max<int>(21, static_cast<int>(items.size()) * 16 + 24));
  control->SetTabOrder(tabOrder);
  if constexpr (requires { control->Items(); }) {
    for (const std::string& item : items) control->Items()->Add(item);
  }
  return control;
}

struct TChoices {
  TCheckBox* Box;
  TRadioButton* First;
  TRadioButton* Second;
  TRadioGroup* Group;
  TListBox* List;
  TComboBox* Combo;

  std::string State() const {
    return "box " + std::to_string(Box->Checked()) + ", radio " +
           std::to_string(Second->Checked()  ? 2
                          : First->Checked() ? 1
                                             : 0) +
           ", group " + std::to_string(Group->ItemIndex()) + ", list " +
           std::to_string(List->ItemIndex()) + ", combo " + std::to_string(Combo->ItemIndex());
  }
};

TChoices Populate(TForm& form) {
  form.SetClientWidth(200);
  form.SetClientHeight(420);
  TChoices choices{Add<TCheckBox>(form, "Box", 8, 0),
                   Add<TRadioButton>(form, "First", 36, 1),
                   Add<TRadioButton>(form, "Second", 60, 2),
                   Add<TRadioGroup>(form, "Group", 90, 3, {"One", "Two", "Three"}),
                   Add<TListBox>(form, "List", 180, 4, {"Apple", "Banana", "Cherry"}),
                   Add<TComboBox>(form, "Combo", 300, 5, {"Red", "Green", "Blue"})};
  choices.First->SetChecked(true);
  choices.Group->SetItemIndex(0);
  choices.Combo->SetStyle(csDropDownList);
  return choices;
}

// A key, and the state after it.
const std::vector<std::pair<std::string, std::string>> kSteps = {
    {"", "box 0, radio 1, group 0, list -1, combo -1"},
    {"Space", "box 1, radio 1, group 0, list -1, combo -1"},
    {"Tab", "box 1, radio 1, group 0, list -1, combo -1"},
    {"Down", "box 1, radio 2, group 0, list -1, combo -1"},
    {"Tab", "box 1, radio 2, group 0, list -1, combo -1"},
    {"Down", "box 1, radio 2, group 1, list -1, combo -1"},
    {"Tab", "box 1, radio 2, group 1, list -1, combo -1"},
    {"Down", "box 1, radio 2, group 1, list 0, combo -1"},
    {"c", "box 1, radio 2, group 1, list 2, combo -1"},
    {"Tab", "box 1, radio 2, group 1, list 2, combo -1"},
    {"Down", "box 1, radio 2, group 1, list 2, combo 0"},
    {"b", "box 1, radio 2, group 1, list 2, combo 2"},
};

std::vector<std::string> InTheTerminal() {
  TForm form(nullptr);
  const TChoices choices = Populate(form);
  terminal::TDialogFocus focus(form);
  terminal::TDialogKeys keys(form, focus);
  const std::map<std::string, TKey> named = {{"Space", TKey::Character(' ')},
                                             {"Tab", TKey::Character('\t')},
                                             {"Down", TKey::Named(TFunctionKey::Down)},
                                             {"c", TKey::Character('c')},
                                             {"b", TKey::Character('b')}};
  std::vector<std::string> seen;
  for (const auto& [key, expected] : kSteps) {
    if (!key.empty()) keys.Handle(named.at(key));
    seen.push_back(choices.State());
  }
  return seen;
}

// A key as the message loop hands it on: to the navigation, then to the dialog manager, which
// gives the focused control its key (pressed and let go) or character.
void Press(HWND form, win32::TKeyboardNavigation& keyboard, const std::string& name) {
  const bool character = name.size() == 1;
  const WPARAM key = character         ? name[0]
                     : name == "Space" ? VK_SPACE
                     : name == "Tab"   ? VK_TAB
                                       : VK_DOWN;
  BYTE state[256] = {};
  SetKeyboardState(state);
  for (UINT message :
       character ? std::vector<UINT>{WM_CHAR} : std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}) {
    MSG sent{GetFocus(), message, key, 0, 0, {}};
    if (!keyboard.PreTranslate(sent) && !IsDialogMessageW(form, &sent)) DispatchMessageW(&sent);
    win32::TRoutedForm::Pump();
  }
}

std::vector<std::string> InTheWindow() {
  TForm form(nullptr);
  const TChoices choices = Populate(form);
  win32::TRoutedForm shown(form);
  ShowWindow(shown.windows.FormWindow(), SW_SHOWNORMAL);
  shown.keyboard.FocusFirst();
  win32::TRoutedForm::Pump();
  std::vector<std::string> seen;
  for (const auto& [key, expected] : kSteps) {
    if (!key.empty()) Press(shown.windows.FormWindow(), shown.keyboard, key);
    seen.push_back(choices.State());
  }
  return seen;
}

TEST(ControlsAgreement, TheSameKeysCheckAndChooseTheSame) {
  std::vector<std::string> expected;
  for (const auto& step : kSteps) expected.push_back(step.second);
  EXPECT_EQ(InTheTerminal(), expected);
  EXPECT_EQ(InTheWindow(), expected);
}

}  // namespace
}  // namespace wdx
