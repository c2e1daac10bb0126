#include "framework/ui/scripted/ScriptedKinds.h"

#include "framework/controls/CheckBoxes.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/ListControls.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtti/Published.h"
#include "framework/ui/ControlState.h"
#include "framework/ui/DialogButtons.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/Pages.h"
#include "framework/ui/scripted/ScriptText.h"

namespace wdx {

namespace {

// Runs a user's action on the control, as the user would: not at all while the control cannot be
// used, and an error its events raise goes to the error report.
template <class C, class Action>
void AsUser(TControl& control, Action&& action) {
  auto& typed = CastTo<C>(&control);
  if (Usable(&typed)) DispatchEvent(&typed, [&] { action(typed); });
}

template <class C>
int ItemCount(const TControl& control) {
  return CastTo<C>(&control).Items()->Count();
}

// The controls that check and choose.
void AddChoiceKinds(TKindTable<TScriptedKind>& kinds) {
  TScriptedKind check;
  check.Check = [](TControl& control, bool checked) {
    AsUser<TCheckBox>(control, [checked](TCheckBox& box) { box.SetChecked(checked); });
  };
  check.Click = [](TControl& control) {
    AsUser<TCheckBox>(control, [](TCheckBox& box) { box.SetChecked(!box.Checked()); });
  };
  kinds.Add(TCheckBox::StaticClass(), check);

  TScriptedKind radio;
  radio.Check = [](TControl& control, bool checked) {
    AsUser<TRadioButton>(control, [checked](TRadioButton& button) { button.SetChecked(checked); });
  };
  radio.Click = [](TControl& control) {
    AsUser<TRadioButton>(control, [](TRadioButton& button) { button.SetChecked(true); });
  };
  kinds.Add(TRadioButton::StaticClass(), radio);

  TScriptedKind group;
  group.ItemCount = ItemCount<TRadioGroup>;
  group.Select = [](TControl& control, int index) {
    AsUser<TRadioGroup>(control, [index](TRadioGroup& radios) { radios.SetItemIndex(index); });
  };
  kinds.Add(TRadioGroup::StaticClass(), group);

  TScriptedKind list;
  list.ItemCount = ItemCount<TListBox>;
  list.Select = [](TControl& control, int index) {
    AsUser<TListBox>(control, [index](TListBox& box) { box.Choose(index); });
  };
  kinds.Add(TListBox::StaticClass(), list);

  TScriptedKind combo;
  combo.ItemCount = ItemCount<TComboBox>;
  combo.Select = [](TControl& control, int index) {
    AsUser<TComboBox>(control, [index](TComboBox& box) { box.Choose(index); });
  };
  combo.Set = [](TControl& control, const std::string& text) {
    auto& box = CastTo<TComboBox>(&control);
    if (!box.Editable()) return false;
    DispatchEvent(&box, [&] { box.SetText(text); });
    return true;
  };
  kinds.Add(TComboBox::StaticClass(), combo);

  TScriptedKind memo;
  memo.Set = [](TControl& control, const std::string& text) {
    auto& lines = CastTo<TMemo>(&control);
    DispatchEvent(&lines, [&] { lines.SetText(Unescaped(text)); });
    return true;
  };
  kinds.Add(TMemo::StaticClass(), memo);
}

void AddStandardKinds(TKindTable<TScriptedKind>& kinds) {
  // Controls shown for the user to look at: they take no action.
  for (const TMetaClass* shown :
       {&TLabel::StaticClass(), &TGroupBox::StaticClass(), &TPanel::StaticClass(),
        &TImage::StaticClass(), &TPageControl::StaticClass()}) {
    kinds.Add(*shown, {});
  }
  TScriptedKind button;
  button.Click = [](TControl& control) { PressButton(&CastTo<TButton>(&control)); };
  kinds.Add(TButton::StaticClass(), button);

  TScriptedKind edit;
  edit.Set = [](TControl& control, const std::string& text) {
    auto& typed = CastTo<TEdit>(&control);
    DispatchEvent(&typed, [&] { typed.SetText(text); });
    return true;
  };
  kinds.Add(TEdit::StaticClass(), edit);

  TScriptedKind page;
  page.Show = [](TControl& control) {
    auto& sheet = CastTo<TTabSheet>(&control);
    TPageControl* pages = sheet.PageControl();
    if (pages && Usable(pages) && sheet.Visible() && sheet.TabVisible()) ShowPage(*pages, sheet);
  };
  kinds.Add(TTabSheet::StaticClass(), page);
  AddChoiceKinds(kinds);
}

}  // namespace

TKindTable<TScriptedKind>& ScriptedKinds() {
  static auto* kinds = [] {
    auto* table = new TKindTable<TScriptedKind>();
    AddStandardKinds(*table);
    return table;
  }();
  return *kinds;
}

}  // namespace wdx
