// Reading and writing a published property of an object through its descriptor. Each function
// raises EPropertyError when the property has no accessor of that kind.
#pragma once

#include <cstdint>
#include <string>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Variant.h"
#include "framework/rtti/Method.h"
#include "framework/rtti/PropInfo.h"

namespace wdx {

WDX_EXCEPTION(EPropertyError, Exception);

class TObject;

// Ordinal access; for a class property the value is the live-object handle of the referenced
// object (0 for none), and writing one that names no live object of the property's class raises.
int32_t GetOrdProp(const TObject* object, const TPropInfo& prop);
void SetOrdProp(TObject* object, const TPropInfo& prop, int32_t value);
double GetFloatProp(const TObject* object, const TPropInfo& prop);
void SetFloatProp(TObject* object, const TPropInfo& prop, double value);
std::string GetStrProp(const TObject* object, const TPropInfo& prop);
// The property's text where the object keeps it, without a copy; nullptr when the property
// makes its text on every read (then GetStrProp reads it).
const std::string* GetStrPropRef(const TObject* object, const TPropInfo& prop);
void SetStrProp(TObject* object, const TPropInfo& prop, const std::string& value);
TNotifyEvent GetMethodProp(const TObject* object, const TPropInfo& prop);
void SetMethodProp(TObject* object, const TPropInfo& prop, const TNotifyEvent& value);
Variant GetVariantProp(const TObject* object, const TPropInfo& prop);
void SetVariantProp(TObject* object, const TPropInfo& prop, const Variant& value);
int64_t GetInt64Prop(const TObject* object, const TPropInfo& prop);
void SetInt64Prop(TObject* object, const TPropInfo& prop, int64_t value);
TObject* GetObjectProp(const TObject* object, const TPropInfo& prop);
void SetObjectProp(TObject* object, const TPropInfo& prop, TObject* value);

// Whether `value` may be stored in class property `prop`: nil, or an object of its class.
bool FitsObjectProp(const TPropInfo& prop, const TObject* value);

}  // namespace wdx
