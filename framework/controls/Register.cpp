#include "framework/controls/Register.h"

#include "framework/controls/CheckBoxes.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/ListControls.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"

namespace wdx {

void RegisterStandardControls() {
  for (const TMetaClass* cls :
       {&TForm::StaticClass(), &TButton::StaticClass(), &TEdit::StaticClass(),
        &TLabel::StaticClass(), &TGroupBox::StaticClass(), &TPanel::StaticClass(),
        &TImage::StaticClass(), &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
        &TOpenDialog::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(),
        &TRadioGroup::StaticClass(), &TComboBox::StaticClass(), &TListBox::StaticClass(),
        &TMemo::StaticClass()}) {
    RegisterClass(*cls);
  }
}

}  // namespace wdx
