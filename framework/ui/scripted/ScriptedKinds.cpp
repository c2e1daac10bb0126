#include "framework/ui/scripted/ScriptedKinds.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtti/Published.h"
#include "framework/ui/ControlState.h"
#include "framework/ui/DialogButtons.h"
#include "framework/ui/FrontEnd.h"
#include "framework/ui/Pages.h"

namespace wdx {

namespace {

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
