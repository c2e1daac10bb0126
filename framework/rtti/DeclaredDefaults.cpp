#include "framework/rtti/DeclaredDefaults.h"

#include "framework/rtti/MetaClass.h"

namespace wdx {

void ApplyDeclaredDefaults(TObject& object, const TMetaClass& cls) {
  for (const TPropInfo* prop : cls.OwnDefaults()) prop->SetOrd(&object, prop->Default);
}

}  // namespace wdx
