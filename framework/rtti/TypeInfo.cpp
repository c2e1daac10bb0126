#include "framework/rtti/TypeInfo.h"

#include <limits>

#include "framework/rtl/StrUtils.h"

namespace wdx {

std::string_view TTypeInfo::IdentOf(int32_t value) const {
  for (const auto& entry : IdentMap) {
    if (entry.Value == value) return entry.Name;
  }
  return {};
}

bool TTypeInfo::ValueOf(std::string_view name, int32_t& value) const {
  for (const auto& entry : IdentMap) {
    if (SameText(entry.Name, name)) {
      value = entry.Value;
      return true;
    }
  }
  return false;
}

TTypeInfo MakeOrdinalType(TTypeKind kind, std::string name, int32_t min, int32_t max) {
  TTypeInfo info;
  info.Kind = kind;
  info.Name = std::move(name);
  info.MinValue = min;
  info.MaxValue = max;
  return info;
}

TTypeInfo MakeEnumType(std::string name, std::initializer_list<const char*> identifiers) {
  TTypeInfo info = MakeOrdinalType(tkEnumeration, std::move(name), 0,
                                   static_cast<int32_t>(identifiers.size()) - 1);
  for (const char* identifier : identifiers) info.NameList.emplace_back(identifier);
  return info;
}

TTypeInfo MakeEnumSubrange(std::string name, const TTypeInfo* base, int32_t min, int32_t max) {
  TTypeInfo info = MakeOrdinalType(tkEnumeration, std::move(name), min, max);
  info.BaseType = base;
  return info;
}

TTypeInfo MakeSetType(std::string name, const TTypeInfo* element) {
  TTypeInfo info = MakeSimpleType(tkSet, std::move(name));
  info.CompType = element;
  return info;
}

TTypeInfo MakeSimpleType(TTypeKind kind, std::string name) {
  TTypeInfo info;
  info.Kind = kind;
  info.Name = std::move(name);
  return info;
}

#define WDX_DEFINE_BASIC(T, ...)               \
  const TTypeInfo* TypeOfT<T>::Get() {         \
    static const TTypeInfo info = __VA_ARGS__; \
    return &info;                              \
  }

WDX_DEFINE_BASIC(int32_t, MakeOrdinalType(tkInteger, "Integer", std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<int32_t>::max()))
WDX_DEFINE_BASIC(int16_t, MakeOrdinalType(tkInteger, "Smallint", -32768, 32767))
WDX_DEFINE_BASIC(uint8_t, MakeOrdinalType(tkInteger, "Byte", 0, 255))
WDX_DEFINE_BASIC(uint16_t, MakeOrdinalType(tkInteger, "Word", 0, 65535))
WDX_DEFINE_BASIC(bool, MakeEnumType("Boolean", {"False", "True"}))
WDX_DEFINE_BASIC(char, MakeOrdinalType(tkChar, "Char", 0, 255))
WDX_DEFINE_BASIC(char16_t, MakeOrdinalType(tkWChar, "WideChar", 0, 65535))
WDX_DEFINE_BASIC(double, MakeSimpleType(tkFloat, "Double"))
WDX_DEFINE_BASIC(float, MakeSimpleType(tkFloat, "Single"))
WDX_DEFINE_BASIC(int64_t, MakeSimpleType(tkInt64, "Int64"))
WDX_DEFINE_BASIC(std::string, MakeSimpleType(tkLString, "String"))
WDX_DEFINE_BASIC(std::u16string, MakeSimpleType(tkWString, "WideString"))
WDX_DEFINE_BASIC(Variant, MakeSimpleType(tkVariant, "Variant"))
WDX_DEFINE_BASIC(TNotifyEvent, MakeSimpleType(tkMethod, "TNotifyEvent"))

WDX_DEFINE_ENUM(TTypeKind, "tkUnknown", "tkInteger", "tkChar", "tkEnumeration", "tkFloat",
                "tkString", "tkSet", "tkClass", "tkMethod", "tkWChar", "tkLString", "tkWString",
                "tkVariant", "tkArray", "tkRecord", "tkInterface", "tkInt64", "tkDynArray")

}  // namespace wdx
