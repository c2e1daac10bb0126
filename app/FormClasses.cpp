#include "app/FormClasses.h"

#include "LangControl/Source/LangControl.h"
#include "framework/controls/Register.h"
#include "framework/rtti/ClassRegistry.h"

namespace wdx {

void RegisterFormClasses() {
  RegisterStandardControls();
  RegisterClass(TLangControl::StaticClass());
}

}  // namespace wdx
