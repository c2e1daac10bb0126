// The root of every class with run-time type information.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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
  // The live-object handle (never 0).
  uint32_t Handle() const { return handle_; }

 private:
  uint32_t handle_;
};

}  // namespace wdx
