#include "framework/ui/win32/WindowKinds.h"

#include "framework/controls/CheckBoxes.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/ListControls.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

namespace wdx::win32 {

TKindTable<TWindowKind>& WindowKinds() {
  static auto* table = [] {
    auto* kinds = new TKindTable<TWindowKind>();
    kinds->Add(TButton::StaticClass(), kinds::Button());
    kinds->Add(TEdit::StaticClass(), kinds::Edit());
    kinds->Add(TLabel::StaticClass(), kinds::Label());
    kinds->Add(TImage::StaticClass(), kinds::Image());
    kinds->Add(TGroupBox::StaticClass(), kinds::GroupBox());
    kinds->Add(TPanel::StaticClass(), kinds::Panel());
    kinds->Add(TPageControl::StaticClass(), kinds::PageControl());
    kinds->Add(TTabSheet::StaticClass(), kinds::TabSheet());
    kinds->Add(TCheckBox::StaticClass(), kinds::CheckBox());
    kinds->Add(TRadioButton::StaticClass(), kinds::RadioButton());
    kinds->Add(TRadioGroup::StaticClass(), kinds::RadioGroup());
    kinds->Add(TListBox::StaticClass(), kinds::ListBox());
    kinds->Add(TComboBox::StaticClass(), kinds::ComboBox());
    kinds->Add(TMemo::StaticClass(), kinds::Memo());
    return kinds;
  }();
  return *table;
}

}  // namespace wdx::win32
