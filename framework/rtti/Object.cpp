#include "framework/rtti/Object.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/ObjectStore.h"

namespace wdx {

TObject::TObject() = default;

TObject::~TObject() {
  if (handle_) live_objects::Unregister(handle_);
}

uint32_t TObject::Register() const {
  handle_ = live_objects::Register(const_cast<TObject*>(this));
  return handle_;
}

void* TObject::operator new(std::size_t size) {
  return object_store::Allocate(size);
}

void TObject::operator delete(void* block, std::size_t size) noexcept {
  object_store::Free(block, size);
}

const TMetaClass& TObject::StaticClass() {
  static const TMetaClass meta("TObject", nullptr, nullptr, {});
  return meta;
}

const std::string& TObject::ClassName() const {
  return ClassType().Name();
}

bool TObject::InheritsFrom(const TMetaClass& cls) const {
  return ClassType().InheritsFrom(cls);
}

void ThrowCastMismatch(const TObject& object, const std::type_info& target) {
  throw EInvalidCast("Class table of " + object.ClassName() + " disagrees with the type " +
                     target.name());
}

TNotifyEvent MethodEvent(TObject* object, const std::string& name) {
  if (!object) return {};
  const TMethodInfo* method = object->ClassType().FindMethod(name);
  return method ? TNotifyEvent{method, object} : TNotifyEvent{};
}

}  // namespace wdx
