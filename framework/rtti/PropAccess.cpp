#include "framework/rtti/PropAccess.h"

#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/Object.h"

namespace wdx {

namespace {

template <class Accessor>
const Accessor& Need(const Accessor& accessor, const TPropInfo& prop, bool write) {
  if (!accessor) {
    throw EPropertyError("Property " + prop.Name + (write ? " is read-only" : " is write-only"));
  }
  return accessor;
}

}  // namespace

bool FitsObjectProp(const TPropInfo& prop, const TObject* value) {
  if (!value) return true;
  const TTypeInfo* type = prop.PropType();
  return type && type->ClassType && value->InheritsFrom(*type->ClassType);
}

int32_t GetOrdProp(const TObject* object, const TPropInfo& prop) {
  if (prop.GetObject) {
    const TObject* value = prop.GetObject(object);
    return value ? static_cast<int32_t>(value->Handle()) : 0;
  }
  return Need(prop.GetOrd, prop, false)(object);
}

void SetOrdProp(TObject* object, const TPropInfo& prop, int32_t value) {
  if (prop.GetObject || prop.SetObject) {
    TObject* target = live_objects::Find(static_cast<uint32_t>(value));
    if ((value != 0 && !target) || !FitsObjectProp(prop, target))
      throw EInvalidCast(msg::kInvalidCast);
    Need(prop.SetObject, prop, true)(object, target);
    return;
  }
  Need(prop.SetOrd, prop, true)(object, value);
}

double GetFloatProp(const TObject* object, const TPropInfo& prop) {
  return Need(prop.GetFloat, prop, false)(object);
}
void SetFloatProp(TObject* object, const TPropInfo& prop, double value) {
  Need(prop.SetFloat, prop, true)(object, value);
}
std::string GetStrProp(const TObject* object, const TPropInfo& prop) {
  return Need(prop.GetStr, prop, false)(object);
}
const std::string* GetStrPropRef(const TObject* object, const TPropInfo& prop) {
  return prop.GetStrRef ? &prop.GetStrRef(object) : nullptr;
}
void SetStrProp(TObject* object, const TPropInfo& prop, const std::string& value) {
  Need(prop.SetStr, prop, true)(object, value);
}
TNotifyEvent GetMethodProp(const TObject* object, const TPropInfo& prop) {
  return Need(prop.GetMethod, prop, false)(object);
}
void SetMethodProp(TObject* object, const TPropInfo& prop, const TNotifyEvent& value) {
  Need(prop.SetMethod, prop, true)(object, value);
}
Variant GetVariantProp(const TObject* object, const TPropInfo& prop) {
  return Need(prop.GetVariant, prop, false)(object);
}
void SetVariantProp(TObject* object, const TPropInfo& prop, const Variant& value) {
  Need(prop.SetVariant, prop, true)(object, value);
}
int64_t GetInt64Prop(const TObject* object, const TPropInfo& prop) {
  return Need(prop.GetInt64, prop, false)(object);
}
void SetInt64Prop(TObject* object, const TPropInfo& prop, int64_t value) {
  Need(prop.SetInt64, prop, true)(object, value);
}
TObject* GetObjectProp(const TObject* object, const TPropInfo& prop) {
  return Need(prop.GetObject, prop, false)(object);
}
void SetObjectProp(TObject* object, const TPropInfo& prop, TObject* value) {
  if (!FitsObjectProp(prop, value)) throw EInvalidCast(msg::kInvalidCast);
  Need(prop.SetObject, prop, true)(object, value);
}

}  // namespace wdx
