#include "tests/win32/iis-standin/Errors.h"

// After windows.h, which it needs.
#include <oleauto.h>

#include "tests/win32/iis-standin/Conversions.h"

namespace wdx::iis {

namespace {

const char kSource[] = "IIS stand-in";

void SetThreadError(const std::string& description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return;
  BSTR text = AllocString(description);
  BSTR source = AllocString(kSource);
  create->SetDescription(text);
  create->SetSource(source);
  SysFreeString(text);
  SysFreeString(source);
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

}  // namespace

HRESULT Report(uint32_t code, const std::string& description, EXCEPINFO* exception) {
  if (!exception) {
    SetThreadError(description);
    return static_cast<HRESULT>(code);
  }
  *exception = EXCEPINFO{};
  exception->bstrSource = AllocString(kSource);
  exception->bstrDescription = AllocString(description);
  exception->scode = static_cast<SCODE>(code);
  return DISP_E_EXCEPTION;
}

}  // namespace wdx::iis
