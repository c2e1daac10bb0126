// Building blocks of the per-class declaration tables:
//
//   const TMetaClass& TButton::StaticClass() {
//     static const TMetaClass meta("TButton", &TWinControl::StaticClass(), FactoryOf<TButton>(), {
//         Published<TButton>("Caption", &TButton::Caption, &TButton::SetCaption),
//         Published<TButton>("Default", &TButton::Default, &TButton::SetDefault).WithDefault(0),
//         Published<TButton>("OnClick", &TButton::OnClick, &TButton::OnClick),
//     });
//     return meta;
//   }
//
// A getter or setter is a member function or a data member; a missing setter is nullptr.
#pragma once

#include <functional>
#include <string>
#include <type_traits>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Utf8.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/Object.h"
#include "framework/rtti/Set.h"

namespace wdx {

// Raises EInvalidCast; out of line, so that the checked casts below stay small enough to be
// inlined into every accessor.
[[noreturn]] void ThrowInvalidCast();

// Checked down-cast for accessors: a property descriptor used on an object of another class
// raises instead of touching the wrong memory.
template <class C>
C& CastTo(TObject* object) {
  C* typed = ObjectCast<C>(object);
  if (!typed) [[unlikely]]
    ThrowInvalidCast();
  return *typed;
}
template <class C>
const C& CastTo(const TObject* object) {
  const C* typed = ObjectCast<C>(object);
  if (!typed) [[unlikely]]
    ThrowInvalidCast();
  return *typed;
}

// The virtual constructor of class C: C(owner) for components, C(collection) for items, C()
// otherwise; abstract classes have none.
template <class C>
TMetaClass::Factory FactoryOf() {
  if constexpr (std::is_abstract_v<C>) {
    return nullptr;
  } else if constexpr (requires { typename C::CreateArg; }) {
    return [](TObject* arg) -> TObject* {
      using Arg = typename C::CreateArg;
      Arg typed = nullptr;
      if (arg) {
        typed = ObjectCast<std::remove_pointer_t<Arg>>(arg);
        if (!typed) throw EInvalidCast(msg::kInvalidCast);
      }
      return new C(typed);
    };
  } else {
    return [](TObject*) -> TObject* { return new C(); };
  }
}

namespace published_detail {

template <class T>
constexpr bool kIsOrdinal =
    (std::is_integral_v<T> && sizeof(T) <= 4) || std::is_enum_v<T> || IsSet<T>::value;

template <class T>
int32_t ToOrd(const T& value) {
  if constexpr (IsSet<T>::value) {
    return static_cast<int32_t>(value.Bits());
  } else if constexpr (std::is_same_v<T, char>) {
    return static_cast<unsigned char>(value);
  } else {
    return static_cast<int32_t>(value);
  }
}

template <class T>
T FromOrd(int32_t value) {
  if constexpr (IsSet<T>::value) {
    return T::FromBits(static_cast<uint32_t>(value));
  } else if constexpr (std::is_same_v<T, bool>) {
    return value != 0;
  } else {
    return static_cast<T>(value);
  }
}

template <class C, class Getter>
using ValueOf = std::decay_t<std::invoke_result_t<Getter, const C&>>;

// Fills the accessor pair of T's kind from `get` and `set`; `set` is nullptr for a read-only
// property. Both are plain lambdas, so each accessor is one call through its std::function.
template <class T, class Get, class Set>
void Bind(TPropInfo& info, Get get, [[maybe_unused]] Set set) {
  constexpr bool kSettable = !std::is_null_pointer_v<Set>;
  if constexpr (kIsOrdinal<T>) {
    info.GetOrd = [get](const TObject* o) { return ToOrd<T>(get(o)); };
    if constexpr (kSettable) info.SetOrd = [set](TObject* o, int32_t v) { set(o, FromOrd<T>(v)); };
  } else if constexpr (std::is_same_v<T, int64_t>) {
    info.GetInt64 = get;
    if constexpr (kSettable) info.SetInt64 = set;
  } else if constexpr (std::is_floating_point_v<T>) {
    info.GetFloat = [get](const TObject* o) { return static_cast<double>(get(o)); };
    if constexpr (kSettable)
      info.SetFloat = [set](TObject* o, double v) { set(o, static_cast<T>(v)); };
  } else if constexpr (std::is_same_v<T, std::string>) {
    info.GetStr = get;
    if constexpr (kSettable) info.SetStr = set;
  } else if constexpr (std::is_same_v<T, std::u16string>) {
    info.GetStr = [get](const TObject* o) { return Utf16ToUtf8(get(o)); };
    if constexpr (kSettable)
      info.SetStr = [set](TObject* o, const std::string& v) { set(o, Utf8ToUtf16(v)); };
  } else if constexpr (std::is_same_v<T, TNotifyEvent>) {
    info.GetMethod = get;
    if constexpr (kSettable) info.SetMethod = set;
  } else if constexpr (std::is_same_v<T, Variant>) {
    info.GetVariant = get;
    if constexpr (kSettable) info.SetVariant = set;
  } else if constexpr (std::is_pointer_v<T>) {
    using Pointee = std::remove_cv_t<std::remove_pointer_t<T>>;
    info.GetObject = [get](const TObject* o) -> TObject* { return get(o); };
    if constexpr (kSettable) {
      info.SetObject = [set](TObject* o, TObject* v) {
        Pointee* typed = nullptr;
        if (v) {
          typed = ObjectCast<Pointee>(v);
          if (!typed) throw EInvalidCast(msg::kInvalidCast);
        }
        set(o, typed);
      };
    }
  } else {
    static_assert(std::is_same_v<T, void>, "no accessor kind for this property type");
  }
}

}  // namespace published_detail

// A published property of class C read by `getter` and written by `setter` (or read-only).
template <class C, class Getter, class Setter = std::nullptr_t>
TPropInfo Published(std::string name, Getter getter, Setter setter = nullptr) {
  using T = published_detail::ValueOf<C, Getter>;
  TPropInfo info;
  info.Name = std::move(name);
  info.TypeFn = &TypeOf<T>;
  auto get = [getter](const TObject* o) -> T { return std::invoke(getter, CastTo<C>(o)); };
  if constexpr (std::is_null_pointer_v<Setter>) {
    published_detail::Bind<T>(info, get, nullptr);
  } else {
    published_detail::Bind<T>(info, get, [setter](TObject* o, const T& value) {
      C& object = CastTo<C>(o);
      if constexpr (std::is_member_object_pointer_v<Setter>) {
        std::invoke(setter, object) = value;
      } else {
        std::invoke(setter, object, value);
      }
    });
  }
  if constexpr (std::is_same_v<std::invoke_result_t<Getter, const C&>, const std::string&>) {
    info.GetStrRef = [getter](const TObject* o) -> const std::string& {
      return std::invoke(getter, CastTo<C>(o));
    };
  }
  info.Readable = true;
  info.Writable = !std::is_null_pointer_v<Setter>;
  return info;
}

template <class C, auto Exchange>
TPropInfo&& TPropInfo::ExchangedBy() && {
  ExchangeStr = [](TObject* object, std::string_view text, std::string& previous) {
    (CastTo<C>(object).*Exchange)(text, previous);
  };
  return std::move(*this);
}

// A write-only property (no read accessor); used rarely, mostly by tests.
template <class C, class T, class Setter>
TPropInfo PublishedWriteOnly(std::string name, Setter setter) {
  TPropInfo info = Published<C>(
      std::move(name), [](const C&) { return T{}; }, setter);
  info.GetOrd = nullptr;
  info.GetFloat = nullptr;
  info.GetStr = nullptr;
  info.GetStrRef = nullptr;
  info.GetMethod = nullptr;
  info.GetVariant = nullptr;
  info.GetInt64 = nullptr;
  info.GetObject = nullptr;
  info.Readable = false;
  return info;
}

// A published method of class C with the sender as its only argument.
template <class C>
TMethodInfo PublishedMethod(std::string name, void (C::*method)(TObject* sender)) {
  TMethodInfo info;
  info.Name = std::move(name);
  info.Invoke = [method](TObject* self, TObject* sender) { (CastTo<C>(self).*method)(sender); };
  return info;
}

}  // namespace wdx
