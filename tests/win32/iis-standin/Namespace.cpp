#include "tests/win32/iis-standin/Namespace.h"

// After windows.h, which it needs.
#include <iads.h>

#include <memory>
#include <string>

#include "platform/metabase/MetabaseObjects.h"
#include "tests/win32/iis-standin/ComObject.h"
#include "tests/win32/iis-standin/Conversions.h"
#include "tests/win32/iis-standin/DispatchObject.h"
#include "tests/win32/iis-standin/Errors.h"

namespace wdx::iis {

namespace {

// The stand-in file that WENDRIX_METABASE names, or null when the variable is unset.
std::shared_ptr<const TMetabaseFile> ConfiguredFile() {
  wchar_t buffer[32768];
  const DWORD length = GetEnvironmentVariableW(L"WENDRIX_METABASE", buffer, ARRAYSIZE(buffer));
  if (length == 0 || length >= ARRAYSIZE(buffer)) return nullptr;
  const std::string path = Narrow(buffer);
  return std::make_shared<TMetabaseFile>(path, path);
}

class TNamespace : public TComObject<IADsOpenDSObject> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return Answer(iid, object, {&IID_IDispatch, &IID_IADsOpenDSObject});
  }

  // The namespace object itself publishes nothing late-bound.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                          DISPID* ids) override {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  // The object at the path, from the stand-in file. The credentials are not needed.
  HRESULT STDMETHODCALLTYPE OpenDSObject(BSTR path, BSTR, BSTR, LONG, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!path) return E_INVALIDARG;
    return Guarded(nullptr, [&] {
      std::unique_ptr<TMetabaseObject> found = OpenMetabaseObject(ConfiguredFile(), Narrow(path));
      if (!found) return static_cast<HRESULT>(metabase_code::kPathNotFound);
      *object = new TDispatchObject(std::move(found));
      return S_OK;
    });
  }
};

class TNamespaceFactory : public TComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return Answer(iid, object, {&IID_IClassFactory});
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* created = new (std::nothrow) TNamespace;
    if (!created) return E_OUTOFMEMORY;
    const HRESULT result = created->QueryInterface(iid, object);
    created->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      AddModuleReference();
    } else {
      ReleaseModuleReference();
    }
    return S_OK;
  }
};

}  // namespace

HRESULT GetNamespaceFactory(REFIID iid, void** object) {
  auto* factory = new (std::nothrow) TNamespaceFactory;
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT result = factory->QueryInterface(iid, object);
  factory->Release();
  return result;
}

}  // namespace wdx::iis
