// Type descriptors of the run-time type information: what kind a published property has, its
// ordinal range, enumeration identifiers, set element type or class.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace wdx {

class TMetaClass;

enum TTypeKind : uint8_t {
  tkUnknown = 0,
  tkInteger = 1,
  tkChar = 2,
  tkEnumeration = 3,
  tkFloat = 4,
  tkString = 5,
  tkSet = 6,
  tkClass = 7,
  tkMethod = 8,
  tkWChar = 9,
  tkLString = 10,
  tkWString = 11,
  tkVariant = 12,
  tkArray = 13,
  tkRecord = 14,
  tkInterface = 15,
  tkInt64 = 16,
  tkDynArray = 17,
};

// A registered value-to-name mapping of an integer type (colour names, character-set names).
struct TIdentMapEntry {
  int32_t Value;
  std::string_view Name;
};

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  // Ordinal kinds: the range of the type.
  int32_t MinValue = 0;
  int32_t MaxValue = 0;
  // Enumerations: the base enumeration (itself for a full enumeration) whose NameList holds the
  // identifiers in ordinal order from 0.
  const TTypeInfo* BaseType = nullptr;
  std::vector<std::string> NameList;
  // Sets: the element type.
  const TTypeInfo* CompType = nullptr;
  // Classes: the class.
  const TMetaClass* ClassType = nullptr;
  // Integer types with names for some values.
  std::vector<TIdentMapEntry> IdentMap;

  // The enumeration whose identifiers this type uses: BaseType, or the type itself.
  const TTypeInfo& Base() const { return BaseType ? *BaseType : *this; }
  // Identifier of `value` in the type's mapping, or empty.
  std::string_view IdentOf(int32_t value) const;
  // Value of identifier `name` (compared ignoring ASCII case) in the mapping.
  bool ValueOf(std::string_view name, int32_t& value) const;
};

TTypeInfo MakeOrdinalType(TTypeKind kind, std::string name, int32_t min, int32_t max);
TTypeInfo MakeEnumType(std::string name, std::initializer_list<const char*> identifiers);
// A subrange of an enumeration: the identifiers stay those of `base`.
TTypeInfo MakeEnumSubrange(std::string name, const TTypeInfo* base, int32_t min, int32_t max);
TTypeInfo MakeSetType(std::string name, const TTypeInfo* element);
TTypeInfo MakeSimpleType(TTypeKind kind, std::string name);

// TypeOfT<T>::Get() gives the descriptor of C++ type T; TypeOf<T>() is the short form.
template <class T>
struct TypeOfT;

template <class T>
const TTypeInfo* TypeOf() {
  return TypeOfT<T>::Get();
}

#define WDX_DECLARE_TYPE(T)        \
  template <>                      \
  struct TypeOfT<T> {              \
    static const TTypeInfo* Get(); \
  }

// Defines the descriptor of an enumeration type: WDX_DEFINE_ENUM(TAlign, "alNone", "alTop").
#define WDX_DEFINE_ENUM(T, ...)                                    \
  const TTypeInfo* TypeOfT<T>::Get() {                             \
    static const TTypeInfo info = MakeEnumType(#T, {__VA_ARGS__}); \
    return &info;                                                  \
  }

// Defines the descriptor of a set type over an enumeration whose descriptor exists.
#define WDX_DEFINE_SET(T, Name, Element)                                \
  const TTypeInfo* TypeOfT<T>::Get() {                                  \
    static const TTypeInfo info = MakeSetType(Name, TypeOf<Element>()); \
    return &info;                                                       \
  }

class Variant;
struct TNotifyEvent;

WDX_DECLARE_TYPE(int32_t);
WDX_DECLARE_TYPE(int16_t);
WDX_DECLARE_TYPE(uint8_t);
WDX_DECLARE_TYPE(uint16_t);
WDX_DECLARE_TYPE(bool);
WDX_DECLARE_TYPE(char);
WDX_DECLARE_TYPE(char16_t);
WDX_DECLARE_TYPE(double);
WDX_DECLARE_TYPE(float);
WDX_DECLARE_TYPE(int64_t);
WDX_DECLARE_TYPE(std::string);
WDX_DECLARE_TYPE(std::u16string);
WDX_DECLARE_TYPE(Variant);
WDX_DECLARE_TYPE(TNotifyEvent);
WDX_DECLARE_TYPE(TTypeKind);

// Class types: the descriptor that the class's metaclass carries.
template <class T>
struct TypeOfT<T*> {
  static const TTypeInfo* Get();
};

}  // namespace wdx
