// The root of every class with run-time type information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace wdx {

class TMetaClass;

// Declares the class's metaclass accessors; put it first in the public part of the class.
// CachedClass() is StaticClass() kept after the first call, so that reaching it costs an inline
// check rather than a call: every cast and every published accessor asks for it.
#define WDX_CLASS(Name)                          \
  using DeclaredClass = Name;                    \
  static const ::wdx::TMetaClass& StaticClass(); \
  WDX_CLASS_CACHE

// CachedClass() and ClassType() of a class whose StaticClass() is declared before.
#define WDX_CLASS_CACHE                                     \
  static const ::wdx::TMetaClass& CachedClass() {           \
    static const ::wdx::TMetaClass& cached = StaticClass(); \
    return cached;                                          \
  }                                                         \
  const ::wdx::TMetaClass& ClassType() const override {     \
    return CachedClass();                                   \
  }

class TObject {
 public:
  using DeclaredClass = TObject;

  TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  // Objects come from the object store; the virtual destructor hands back the size of the
  // whole object.
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;

  static const TMetaClass& StaticClass();
  static const TMetaClass& CachedClass() {
    static const TMetaClass& cached = StaticClass();
    return cached;
  }
  virtual const TMetaClass& ClassType() const { return CachedClass(); }
  const std::string& ClassName() const;
  bool InheritsFrom(const TMetaClass& cls) const;
  // The live-object handle (never 0). An object gets it when it is first asked for it: most
  // objects never are, and a handle costs a place in the table of live objects.
  uint32_t Handle() const { return handle_ ? handle_ : Register(); }
  // The handle, or 0 when the object has not been given one.
  uint32_t HandleIfAny() const { return handle_; }

 private:
  uint32_t Register() const;

  mutable uint32_t handle_ = 0;
};

// Whether class T declares its own metaclass (WDX_CLASS(T)). Only then does an object's metaclass
// chain tell whether the object is a T: a class without its own shares its parent's metaclass.
template <class T>
concept DeclaresOwnClass = requires {
  typename T::DeclaredClass;
}
&&std::is_same_v<typename T::DeclaredClass, T>;

// Raises EInvalidCast naming both classes when a metaclass cast and the language's dynamic_cast
// disagree (checked in builds with WDX_CHECK_CASTS): a class table names the wrong parent.
[[noreturn]] void ThrowCastMismatch(const TObject& object, const std::type_info& target);

// Whether `object`'s class is `cls` or descends from it (inline, in MetaClass.h).
inline bool IsInstanceOf(const TObject& object, const TMetaClass& cls);

// dynamic_cast<T*>(object). For a class that declares its own metaclass it walks the object's
// metaclass chain instead, a few pointer comparisons where dynamic_cast searches the type
// information and compares type names: the form reader and every published setter cast.
template <class T, class U>
auto ObjectCast(U* object) -> std::conditional_t<std::is_const_v<U>, const T*, T*> {
  using Result = std::conditional_t<std::is_const_v<U>, const T*, T*>;
  if constexpr (DeclaresOwnClass<T> && std::is_base_of_v<TObject, std::remove_cv_t<U>>) {
    using Base = std::conditional_t<std::is_const_v<U>, const TObject*, TObject*>;
    if (!object) return nullptr;
    const Base base = object;
    if (!IsInstanceOf(*base, T::CachedClass())) {
#ifdef WDX_CHECK_CASTS
      if (dynamic_cast<Result>(object)) ThrowCastMismatch(*base, typeid(T));
#endif
      return nullptr;
    }
    const Result result = static_cast<Result>(base);
#ifdef WDX_CHECK_CASTS
    if (dynamic_cast<Result>(object) != result) ThrowCastMismatch(*base, typeid(T));
#endif
    return result;
  } else {
    return dynamic_cast<Result>(object);
  }
}

}  // namespace wdx

// The metaclass, complete, for IsInstanceOf and the casts above.
#include "framework/rtti/MetaClass.h"  // IWYU pragma: export
