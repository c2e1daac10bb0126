#include "framework/components/Persistent.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/Published.h"

namespace wdx {

const TMetaClass& TPersistent::StaticClass() {
  static const TMetaClass meta("TPersistent", &TObject::StaticClass(), nullptr, {});
  return meta;
}

void TPersistent::Assign(const TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  throw EConvertError(Format(msg::kAssignError, "nil", ClassName().c_str()));
}

void TPersistent::DefineProperties(TFiler*) {}

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError(Format(msg::kAssignError, ClassName().c_str(), dest->ClassName().c_str()));
}

}  // namespace wdx
