// A directory-service object of the stand-in as IIS's objects answer: late-bound, through
// IDispatch. Every name gets a dispatch id when asked for; what it means is decided at the call:
// a method of the objects is called, a property is got or put, and any other method fails as
// the stand-in says.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/metabase/MetabaseObjects.h"
#include "tests/win32/iis-standin/ComObject.h"

namespace wdx::iis {

class TDispatchObject : public TComObject<IDispatch> {
 public:
  explicit TDispatchObject(std::unique_ptr<TMetabaseObject> object) : object_(std::move(object)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  HRESULT Call(const std::string& name, WORD flags, const std::vector<Variant>& args,
               VARIANT* result);

  std::unique_ptr<TMetabaseObject> object_;
  std::vector<std::string> names_;  // dispatch id n names names_[n - 1]
};

}  // namespace wdx::iis
