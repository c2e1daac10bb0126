#include "tests/win32/iis-standin/DispatchObject.h"

#include "framework/rtl/StrUtils.h"
#include "tests/win32/iis-standin/Conversions.h"
#include "tests/win32/iis-standin/Errors.h"

namespace wdx::iis {

HRESULT TDispatchObject::QueryInterface(REFIID iid, void** object) {
  return Answer(iid, object, {&IID_IDispatch});
}

HRESULT TDispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TDispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT TDispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  // Named arguments are not taken.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return Guarded(nullptr, [&] {
    const std::string name = Narrow(names[0]);
    size_t index = 0;
    while (index < names_.size() && !SameText(names_[index], name)) ++index;
    if (index == names_.size()) names_.push_back(name);
    ids[0] = static_cast<DISPID>(index + 1);
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  });
}

HRESULT TDispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                VARIANT* result, EXCEPINFO* exception, UINT* argumentError) {
  if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
  if (!params || (params->cArgs > 0 && !params->rgvarg)) return E_INVALIDARG;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  // A property put names its one value DISPID_PROPERTYPUT; nothing else takes named arguments.
  if (put ? params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
                params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || params->cArgs != 1
          : params->cNamedArgs != 0) {
    return put ? DISP_E_BADPARAMCOUNT : DISP_E_NONAMEDARGS;
  }
  return Guarded(exception, [&] {
    // Automation passes the arguments last first.
    std::vector<Variant> args(params->cArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
      const UINT at = params->cArgs - 1 - i;
      if (!FromAutomation(params->rgvarg[at], args[i])) {
        if (argumentError) *argumentError = at;
        return static_cast<HRESULT>(DISP_E_TYPEMISMATCH);
      }
    }
    const std::string& name = names_[static_cast<size_t>(id) - 1];
    if (put) {
      object_->Put(name, args[0]);
      return S_OK;
    }
    return Call(name, flags, args, result);
  });
}

HRESULT TDispatchObject::Call(const std::string& name, WORD flags, const std::vector<Variant>& args,
                              VARIANT* result) {
  if (result) VariantInit(result);
  const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
  if (get && !TMetabaseObject::IsMethod(name)) {
    if (!args.empty()) return DISP_E_BADPARAMCOUNT;
    const Variant value = object_->Get(name);
    if (result && !ToAutomation(value, *result)) return E_OUTOFMEMORY;
    return S_OK;
  }
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  std::unique_ptr<TMetabaseObject> made = object_->Invoke(name, args);
  if (made && result) {
    result->vt = VT_DISPATCH;
    result->pdispVal = new TDispatchObject(std::move(made));
  }
  return S_OK;
}

}  // namespace wdx::iis
