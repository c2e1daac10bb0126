// The tests' IIS provider as the directory-service library meets it: registered by regsvr32,
// found through ADsGetObject, answering late-bound calls with automation's own conventions.
// What its objects do with the stand-in file is held by the directory-service tests, which run
// the same cases through this provider.
#include <windows.h>
// After windows.h, which they need.
#include <activeds.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/platform/StandInEnvironment.h"
#include "tests/win32/WineTools.h"

namespace wdx {
namespace {

namespace fs = std::filesystem;

const wchar_t kRootPath[] = L"IIS://localhost/W3SVC/1/Root";

// The text of a registry value under HKEY_LOCAL_MACHINE, or "" when there is none.
std::wstring MachineValue(const wchar_t* key, const wchar_t* name = nullptr) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return {};
  }
  return buffer;
}

// An automation argument list, released with it.
class Args {
 public:
  Args& Text(const wchar_t* text) {
    VARIANT& item = Add();
    item.vt = VT_BSTR;
    item.bstrVal = SysAllocString(text);
    return *this;
  }
  Args& Boolean(bool value) {
    VARIANT& item = Add();
    item.vt = VT_BOOL;
    item.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return *this;
  }
  Args& Real(double value) {
    VARIANT& item = Add();
    item.vt = VT_R8;
    item.dblVal = value;
    return *this;
  }
  ~Args() {
    for (VARIANT& item : items_) VariantClear(&item);
  }
  // Automation takes the arguments last first.
  std::vector<VARIANT> Reversed() const { return {items_.rbegin(), items_.rend()}; }

 private:
  VARIANT& Add() {
    items_.emplace_back();
    VariantInit(&items_.back());
    return items_.back();
  }
  std::vector<VARIANT> items_;
};

// What one late-bound call gave.
struct Outcome {
  HRESULT Result = E_FAIL;
  VARIANT Value{};
  EXCEPINFO Exception{};
  UINT ArgumentError = 0;

  Outcome() { VariantInit(&Value); }
  ~Outcome() {
    VariantClear(&Value);
    SysFreeString(Exception.bstrSource);
    SysFreeString(Exception.bstrDescription);
    SysFreeString(Exception.bstrHelpFile);
  }
  Outcome(const Outcome&) = delete;
  Outcome& operator=(const Outcome&) = delete;
  std::wstring Description() const {
    return Exception.bstrDescription ? Exception.bstrDescription : L"";
  }
};

void Call(IDispatch* object, const wchar_t* name, WORD flags, const Args& args, Outcome& outcome) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = 0;
  outcome.Result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(outcome.Result)) return;
  std::vector<VARIANT> values = args.Reversed();
  DISPID named = DISPID_PROPERTYPUT;
  const bool put = flags == DISPATCH_PROPERTYPUT;
  DISPPARAMS params{values.empty() ? nullptr : values.data(), put ? &named : nullptr,
                    static_cast<UINT>(values.size()), put ? 1u : 0u};
  outcome.Result =
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                     put ? nullptr : &outcome.Value, &outcome.Exception, &outcome.ArgumentError);
}

class IisProviderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("wdx-provider-" + std::to_string(GetTickCount64()));
    fs::create_directories(dir_);
    file_ = dir_ / "iis.ini";
    Write("[IIS://localhost/W3SVC/1/Root]\r\nClass=IIsWebVirtualDir\r\nPath=C:\\Inetpub\r\n");
    SetVariable("WENDRIX_METABASE", file_.string());
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  }
  void TearDown() override {
    CoUninitialize();
    SetVariable("WENDRIX_METABASE", "");
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  void Write(const std::string& text) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << text;
  }
  // ADsGetObject's answer for the path, as the setup program asks.
  HRESULT Lookup(const wchar_t* path, IDispatch** object) {
    *object = nullptr;
    return ADsGetObject(path, IID_IDispatch, reinterpret_cast<void**>(object));
  }
  // Whether the provider's module may be unloaded: no object of it lives.
  static HRESULT CanUnload() {
    HMODULE module = GetModuleHandleW(L"iis-standin.dll");
    if (!module) return S_OK;
    auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
  }

  fs::path dir_, file_;
};

TEST_F(IisProviderTest, Regsvr32RegistersTheNamespaceAndRemovesOnlyItsOwnKeys) {
  const wchar_t kProvider[] = L"SOFTWARE\\Microsoft\\ADs\\Providers\\IIS";
  const std::wstring progId = MachineValue(kProvider);
  ASSERT_EQ(progId, L"Wendrix.IisStandIn");
  const std::wstring clsid = MachineValue((L"SOFTWARE\\Classes\\" + progId + L"\\CLSID").c_str());
  const std::wstring server = L"SOFTWARE\\Classes\\CLSID\\" + clsid + L"\\InprocServer32";
  EXPECT_TRUE(fs::equivalent(MachineValue(server.c_str()), BesideProgram(L"iis-standin.dll")));
  EXPECT_EQ(MachineValue(server.c_str(), L"ThreadingModel"), L"Both");

  const std::wstring provider = L"\"" + BesideProgram(L"iis-standin.dll") + L"\"";
  ASSERT_EQ(RunTool(L"regsvr32 /s /u " + provider), 0);
  EXPECT_EQ(MachineValue(kProvider), L"");
  EXPECT_EQ(MachineValue(server.c_str()), L"");
  IDispatch* root = nullptr;
  EXPECT_NE(Lookup(kRootPath, &root), S_OK);

  // A provider key that names another ProgID belongs to someone else.
  ASSERT_EQ(RunTool(L"reg add HKLM\\SOFTWARE\\Microsoft\\ADs\\Providers\\IIS /ve /d Other.Provider "
                    L"/f"),
            0);
  ASSERT_EQ(RunTool(L"regsvr32 /s /u " + provider), 0);
  EXPECT_EQ(MachineValue(kProvider), L"Other.Provider");

  ASSERT_EQ(RunTool(L"regsvr32 /s " + provider), 0);
  ASSERT_EQ(Lookup(kRootPath, &root), S_OK);
  root->Release();
}

TEST_F(IisProviderTest, ReferenceCountsBalanceAndTheModuleIsFreeOnceAllAreReleased) {
  IDispatch* root = nullptr;
  ASSERT_EQ(Lookup(L"iis://LOCALHOST/w3svc/1/root", &root), S_OK);
  EXPECT_EQ(CanUnload(), S_FALSE);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(root->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  IUnknown* other = nullptr;
  EXPECT_EQ(root->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&other)), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(unknown->Release(), 1u);

  IDispatch* app = nullptr;
  {
    Outcome created;
    Call(root, L"Create", DISPATCH_METHOD, Args().Text(L"IIsWebVirtualDir").Text(L"wendrix"),
         created);
    ASSERT_EQ(created.Result, S_OK);
    ASSERT_EQ(created.Value.vt, VT_DISPATCH);
    app = created.Value.pdispVal;
    app->AddRef();
  }
  EXPECT_EQ(root->Release(), 0u);
  EXPECT_EQ(CanUnload(), S_FALSE);  // the created child still lives
  Outcome put, saved;
  Call(app, L"Path", DISPATCH_PROPERTYPUT, Args().Text(L"C:\\app"), put);
  Call(app, L"SetInfo", DISPATCH_METHOD, Args(), saved);
  EXPECT_EQ(put.Result, S_OK);
  EXPECT_EQ(saved.Result, S_OK);
  EXPECT_EQ(app->Release(), 0u);
  EXPECT_EQ(CanUnload(), S_OK);
}

TEST_F(IisProviderTest, PropertiesAreGotByNameAsStringsAndBooleans) {
  IDispatch* root = nullptr;
  ASSERT_EQ(Lookup(kRootPath, &root), S_OK);
  Outcome put;
  Call(root, L"AccessExecute", DISPATCH_PROPERTYPUT, Args().Boolean(true), put);
  ASSERT_EQ(put.Result, S_OK);
  Outcome path, pending, name, missing;
  Call(root, L"PATH", DISPATCH_PROPERTYGET, Args(), path);
  Call(root, L"accessexecute", DISPATCH_PROPERTYGET | DISPATCH_METHOD, Args(), pending);
  Call(root, L"Name", DISPATCH_PROPERTYGET, Args(), name);
  Call(root, L"DefaultDoc", DISPATCH_PROPERTYGET, Args(), missing);
  root->Release();
  ASSERT_EQ(path.Value.vt, VT_BSTR);
  EXPECT_STREQ(path.Value.bstrVal, L"C:\\Inetpub");
  ASSERT_EQ(pending.Value.vt, VT_BOOL);
  EXPECT_EQ(pending.Value.boolVal, VARIANT_TRUE);
  ASSERT_EQ(name.Value.vt, VT_BSTR);
  EXPECT_STREQ(name.Value.bstrVal, L"Root");
  EXPECT_EQ(missing.Result, DISP_E_EXCEPTION);
  EXPECT_EQ(static_cast<uint32_t>(missing.Exception.scode), 0x8000500Du);
}

TEST_F(IisProviderTest, FailuresComeWithADescriptionAndACode) {
  IDispatch* root = nullptr;
  ASSERT_EQ(Lookup(kRootPath, &root), S_OK);
  Outcome absent, unknown, mistyped, uncounted;
  Call(root, L"Delete", DISPATCH_METHOD, Args().Text(L"IIsWebVirtualDir").Text(L"absent"), absent);
  Call(root, L"Frobnicate", DISPATCH_METHOD, Args(), unknown);
  Call(root, L"AppCreate", DISPATCH_METHOD, Args().Real(1.5), mistyped);
  Call(root, L"AppCreate", DISPATCH_METHOD, Args(), uncounted);

  EXPECT_EQ(absent.Result, DISP_E_EXCEPTION);
  EXPECT_EQ(static_cast<uint32_t>(absent.Exception.scode), 0x80070003u);
  EXPECT_EQ(absent.Description(), L"The system cannot find the path specified.");
  EXPECT_EQ(unknown.Result, DISP_E_EXCEPTION);
  EXPECT_EQ(unknown.Exception.scode, DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(unknown.Description(), L"Method 'Frobnicate' not supported by automation object");
  EXPECT_EQ(mistyped.Result, DISP_E_TYPEMISMATCH);
  EXPECT_EQ(mistyped.ArgumentError, 0u);
  EXPECT_EQ(uncounted.Result, DISP_E_EXCEPTION);
  EXPECT_EQ(uncounted.Exception.scode, DISP_E_BADPARAMCOUNT);

  // A malformed file fails the lookup with its code and tells where, in the error information.
  Write("[IIS://localhost/W3SVC/1/Root]\r\nno value here\r\n");
  Outcome broken;
  Call(root, L"SetInfo", DISPATCH_METHOD, Args(), broken);
  root->Release();
  const std::wstring where = file_.wstring() + L", line 2: Name=Value expected";
  EXPECT_EQ(broken.Description(), where);
  EXPECT_EQ(static_cast<uint32_t>(broken.Exception.scode), 0x8007000Du);
  EXPECT_EQ(static_cast<uint32_t>(Lookup(kRootPath, &root)), 0x8007000Du);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  BSTR description = nullptr;
  info->GetDescription(&description);
  EXPECT_EQ(std::wstring(description ? description : L""), where);
  SysFreeString(description);
  info->Release();
  EXPECT_EQ(CanUnload(), S_OK);
}

}  // namespace
}  // namespace wdx
