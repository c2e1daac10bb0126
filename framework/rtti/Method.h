// Method values: a routine together with the object it is bound to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace wdx {

class TObject;
class TMetaClass;

// Any method, compared by routine and bound object. `Code` identifies the routine.
struct TMethod {
  const void* Code = nullptr;
  TObject* Data = nullptr;
  bool Assigned() const { return Code != nullptr; }
  bool operator==(const TMethod&) const = default;
};

// A published method of a class: found by name by the form reader ("OnClick = btOkClick") and
// by its 32-bit code handle in method text.
struct TMethodInfo {
  std::string Name;
  uint32_t CodeHandle = 0;
  const TMetaClass* Owner = nullptr;
  std::function<void(TObject* self, TObject* sender)> Invoke;
};

// An event handler with the sender as its only argument, bound to a published method.
struct TNotifyEvent {
  const TMethodInfo* Code = nullptr;
  TObject* Data = nullptr;

  explicit operator bool() const { return Code != nullptr; }
  bool operator==(const TNotifyEvent&) const = default;
  void operator()(TObject* sender) const {
    if (Code) Code->Invoke(Data, sender);
  }
};

// Published method `name` of `object`'s class as an event bound to `object`; nil when absent.
TNotifyEvent MethodEvent(TObject* object, const std::string& name);

}  // namespace wdx
