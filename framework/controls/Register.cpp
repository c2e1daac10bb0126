#include "framework/controls/Register.h"

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtti/ClassRegistry.h"
#include "framework/rtti/MetaClass.h"

namespace wdx {

void RegisterStandardControls() {
  for (const TMetaClass* cls :
       {&TForm::StaticClass(), &TButton::StaticClass(), &TEdit::StaticClass(),
        &TLabel::StaticClass(), &TGroupBox::StaticClass(), &TPanel::StaticClass(),
        &TImage::StaticClass(), &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
        &TOpenDialog::StaticClass()}) {
    RegisterClass(*cls);
  }
}

}  // namespace wdx
