#include "framework/rtti/DeclaredDefaults.h"

#include "framework/rtti/MetaClass.h"

namespace wdx {

void ApplyDeclaredDefaults(TObject& object, const TMetaClass& cls) {
  for (const TPropInfo* prop : cls.Properties()) {
    if (prop->Owner == &cls && prop->HasDefault && prop->SetOrd)
      prop->SetOrd(&object, prop->Default);
  }
}

}  // namespace wdx
