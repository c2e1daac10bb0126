// The reference counting that every object of the provider shares: an object starts with one
// reference, is deleted when the last one goes, and keeps the module loaded while it lives.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "tests/win32/iis-standin/Module.h"

namespace wdx::iis {

template <class Interface>
class TComObject : public Interface {
 public:
  TComObject() { AddModuleReference(); }
  virtual ~TComObject() { ReleaseModuleReference(); }
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  // QueryInterface answering IUnknown and the interfaces listed with this object.
  HRESULT Answer(REFIID iid, void** object, std::initializer_list<const IID*> interfaces) {
    if (!object) return E_POINTER;
    *object = nullptr;
    bool known = IsEqualIID(iid, IID_IUnknown);
    for (const IID* candidate : interfaces) known = known || IsEqualIID(iid, *candidate);
    if (!known) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }

 private:
  LONG references_ = 1;
};

}  // namespace wdx::iis
