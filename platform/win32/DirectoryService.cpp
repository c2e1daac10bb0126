#include <windows.h>
// After windows.h, which they need.
#include <oleauto.h>

#include <string>
#include <vector>

#include "framework/rtl/Format.h"
#include "framework/rtl/WideText.h"
#include "platform/DirectoryService.h"
#include "platform/win32/Automation.h"

namespace wdx {

namespace {

using ADsGetObjectFn = HRESULT(WINAPI*)(LPCWSTR, REFIID, void**);

std::string Narrow(const wchar_t* text) {
  return text ? Utf8(text) : std::string();
}

// The message of a failed call: the system's text for the code, or "OLE error %.8x".
std::string SystemText(HRESULT code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = n ? Narrow(buffer) : "";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text.empty() ? Format("OLE error %.8x", static_cast<unsigned>(code)) : text;
}

// Automation arguments as variants, released together.
class Arguments {
 public:
  explicit Arguments(const std::vector<Variant>& args) : items_(args.size()) {
    // Automation passes arguments last first.
    for (size_t i = 0; i < args.size(); ++i) {
      VARIANTARG& item = items_[args.size() - 1 - i];
      VariantInit(&item);
      if (args[i].VType() == varBoolean) {
        item.vt = VT_BOOL;
        item.boolVal = args[i].ToBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
      } else {
        item.vt = VT_BSTR;
        item.bstrVal = SysAllocString(Wide(args[i].ToString()).c_str());
      }
    }
  }
  ~Arguments() {
    for (VARIANTARG& item : items_) VariantClear(&item);
  }
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
  VARIANTARG* Data() { return items_.empty() ? nullptr : items_.data(); }
  UINT Count() const { return static_cast<UINT>(items_.size()); }

 private:
  std::vector<VARIANTARG> items_;
};

class DispatchObject : public IAutomationObject {
 public:
  explicit DispatchObject(IDispatch* dispatch) : dispatch_(dispatch) {}
  ~DispatchObject() override { dispatch_->Release(); }
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  std::unique_ptr<IAutomationObject> Call(const std::string& method,
                                          const std::vector<Variant>& args) override {
    Arguments arguments(args);
    DISPPARAMS params{arguments.Data(), nullptr, arguments.Count(), 0};
    VARIANT result;
    VariantInit(&result);
    Invoke(method, DISPATCH_METHOD, params, &result);
    if (result.vt == VT_DISPATCH && result.pdispVal) {
      return std::make_unique<DispatchObject>(result.pdispVal);  // takes the reference
    }
    VariantClear(&result);
    return nullptr;
  }

  void Put(const std::string& property, const Variant& value) override {
    Arguments arguments({value});
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{arguments.Data(), &named, 1, 1};
    Invoke(property, DISPATCH_PROPERTYPUT, params, nullptr);
  }

 private:
  // Resolves the name on the object at this moment and invokes it.
  void Invoke(const std::string& name, WORD flags, DISPPARAMS& params, VARIANT* result) {
    std::wstring wide = Wide(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = 0;
    if (FAILED(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      throw EOleException(Format("Method '%s' not supported by automation object", name.c_str()));
    }
    EXCEPINFO error{};
    UINT argError = 0;
    const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                         &error, &argError);
    if (SUCCEEDED(hr)) return;
    if (hr == DISP_E_EXCEPTION) {
      if (error.pfnDeferredFillIn) error.pfnDeferredFillIn(&error);
      const std::string description = Narrow(error.bstrDescription);
      // An exception with neither text nor code is still a failure: report the call's own code.
      const HRESULT code = error.scode   ? error.scode
                           : error.wCode ? static_cast<HRESULT>(error.wCode)
                                         : hr;
      SysFreeString(error.bstrSource);
      SysFreeString(error.bstrDescription);
      SysFreeString(error.bstrHelpFile);
      throw EOleException(description.empty() ? SystemText(code) : description);
    }
    throw EOleException(SystemText(hr));
  }

  IDispatch* dispatch_;
};

class AdsiService : public IDirectoryService {
 public:
  AdsiService() {
    comReady_ = SUCCEEDED(CoInitialize(nullptr));
    library_ = LoadLibraryA("activeds.dll");
    if (library_) {
      getObject_ = reinterpret_cast<ADsGetObjectFn>(
          reinterpret_cast<void*>(GetProcAddress(library_, "ADsGetObject")));
    }
  }
  // The library stays loaded: objects obtained from it may outlive the service.
  ~AdsiService() override {
    if (comReady_) CoUninitialize();
  }

  bool Installed() override { return library_ != nullptr; }

  std::unique_ptr<IAutomationObject> Lookup(const std::string& path) override {
    if (!getObject_) return nullptr;
    IDispatch* dispatch = nullptr;
    const HRESULT hr =
        getObject_(Wide(path).c_str(), IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (hr != S_OK || !dispatch) return nullptr;
    return WrapDispatch(dispatch);
  }

 private:
  bool comReady_ = false;
  HMODULE library_ = nullptr;
  ADsGetObjectFn getObject_ = nullptr;
};

}  // namespace

std::unique_ptr<IAutomationObject> WrapDispatch(IDispatch* dispatch) {
  if (!dispatch) return nullptr;
  return std::make_unique<DispatchObject>(dispatch);
}

std::unique_ptr<IDirectoryService> CreateDirectoryService() {
  return std::make_unique<AdsiService>();
}

}  // namespace wdx
