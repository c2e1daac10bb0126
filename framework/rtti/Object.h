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
#define WDX_CLASS(Name)                                 \
  static const ::wdx::TMetaClass& StaticClass();        \
  const ::wdx::TMetaClass& ClassType() const override { \
    return StaticClass();                               \
  }

class TObject {
 public:
  TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  // Objects come from the object store; the virtual destructor hands back the size of the
  // whole object.
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;

  static const TMetaClass& StaticClass();
  virtual const TMetaClass& ClassType() const { return StaticClass(); }
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

// dynamic_cast<T*>(object), with a shortcut for an object of exactly class T (the usual case on
// the hot paths), which needs no search of the class hierarchy.
template <class T, class U>
auto ObjectCast(U* object) -> std::conditional_t<std::is_const_v<U>, const T*, T*> {
  using Result = std::conditional_t<std::is_const_v<U>, const T*, T*>;
  if (object && typeid(*object) == typeid(T)) return static_cast<Result>(object);
  return dynamic_cast<Result>(object);
}

}  // namespace wdx
