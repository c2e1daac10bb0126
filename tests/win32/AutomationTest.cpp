// The late-bound automation layer against an IDispatch object of our own, which records every
// name lookup and invocation and answers with what each case asks of it.
#include <windows.h>
// After windows.h, which they need.
#include <oaidl.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/rtl/Utf8.h"
#include "platform/DirectoryService.h"
#include "platform/win32/Automation.h"

namespace wdx {
namespace {

// One Invoke as the object saw it; arguments in the order the caller laid them out.
struct Invocation {
  DISPID id = DISPID_UNKNOWN;
  WORD flags = 0;
  bool nullInterface = false;
  bool wantsResult = false;
  std::vector<VARTYPE> types;
  std::vector<std::wstring> texts;     // BSTR arguments' text, empty for others
  std::vector<VARIANT_BOOL> booleans;  // VT_BOOL arguments' value, 0 for others
  std::vector<DISPID> named;
};

// What the object's next invocations answer.
struct Reply {
  enum Kind { kNothing, kObject, kText, kNullObject, kException, kFailure } kind = kNothing;
  IDispatch* object = nullptr;  // kObject: handed out with a reference of its own
  std::wstring description;     // kException; a null BSTR when empty
  SCODE scode = 0;              // kException
  bool deferred = false;        // kException: the description comes from the deferred fill-in
  HRESULT failure = S_OK;       // kFailure
};

std::wstring deferredDescription;

HRESULT STDMETHODCALLTYPE FillInDeferred(EXCEPINFO* info) {
  info->bstrDescription = SysAllocString(deferredDescription.c_str());
  return S_OK;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

// Owned by the test; Release never deletes it, so the count can be checked after every case.
// The count starts at 1: the test's own reference.
class FakeDispatch : public IDispatch {
 public:
  LONG refs = 1;
  std::map<std::wstring, DISPID> names;  // lower-case names: lookups ignore case
  std::vector<std::wstring> lookedUp;
  std::vector<Invocation> calls;
  Reply reply;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* requested, UINT count, LCID,
                                          DISPID* ids) override {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      lookedUp.emplace_back(requested[i]);
      const auto found = names.find(Lower(requested[i]));
      ids[i] = found == names.end() ? DISPID_UNKNOWN : found->second;
      if (found == names.end()) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT*) override {
    Invocation call;
    call.id = id;
    call.flags = flags;
    call.nullInterface = IsEqualIID(riid, IID_NULL);
    call.wantsResult = result != nullptr;
    for (UINT i = 0; params && i < params->cArgs; ++i) {
      const VARIANTARG& arg = params->rgvarg[i];
      call.types.push_back(arg.vt);
      call.texts.emplace_back(arg.vt == VT_BSTR && arg.bstrVal ? arg.bstrVal : L"");
      call.booleans.push_back(arg.vt == VT_BOOL ? arg.boolVal : VARIANT_BOOL(0));
    }
    for (UINT i = 0; params && i < params->cNamedArgs; ++i) {
      call.named.push_back(params->rgdispidNamedArgs[i]);
    }
    calls.push_back(call);

    if (!call.nullInterface) return DISP_E_UNKNOWNINTERFACE;
    bool known = false;
    for (const auto& entry : names) known = known || entry.second == id;
    if (!known) return DISP_E_MEMBERNOTFOUND;
    // As real objects do: a property put names its value argument.
    if ((flags & DISPATCH_PROPERTYPUT) &&
        (call.named.size() != 1 || call.named[0] != DISPID_PROPERTYPUT)) {
      return DISP_E_PARAMNOTFOUND;
    }

    switch (reply.kind) {
      case Reply::kNothing:
        return S_OK;
      case Reply::kObject:
      case Reply::kNullObject:
        if (!result) return E_INVALIDARG;
        result->vt = VT_DISPATCH;
        result->pdispVal = reply.kind == Reply::kObject ? reply.object : nullptr;
        if (result->pdispVal) result->pdispVal->AddRef();
        return S_OK;
      case Reply::kText:
        if (!result) return E_INVALIDARG;
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(L"not an object");
        return S_OK;
      case Reply::kException:
        if (!error) return E_INVALIDARG;
        *error = EXCEPINFO{};
        error->bstrSource = SysAllocString(L"FakeDispatch");
        error->bstrHelpFile = SysAllocString(L"fake.hlp");
        error->scode = reply.scode;
        if (reply.deferred) {
          deferredDescription = reply.description;
          error->pfnDeferredFillIn = FillInDeferred;
        } else if (!reply.description.empty()) {
          error->bstrDescription = SysAllocString(reply.description.c_str());
        }
        return DISP_E_EXCEPTION;
      case Reply::kFailure:
        return reply.failure;
    }
    return E_UNEXPECTED;
  }
};

// The system's message for `code` with the line break trimmed; empty when it has none.
std::string SystemMessage(HRESULT code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string wide;
  for (DWORD i = 0; buffer && i < n; ++i) wide.push_back(static_cast<char16_t>(buffer[i]));
  if (buffer) LocalFree(buffer);
  std::string text = Utf16ToUtf8(wide);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

// The message of the EOleException `action` throws.
std::string OleFailure(const std::function<void()>& action) {
  try {
    action();
  } catch (const EOleException& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return std::string("other exception: ") + e.what();
  }
  return "no exception";
}

class AutomationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    object_.names = {{L"setinfo", 5}, {L"create", 7},   {L"getobject", 8},
                     {L"path", 11},   {L"enabled", 12}, {L"delete", 13}};
    child_.names = {{L"setinfo", 21}, {L"path", 22}};
  }
  // Every case, the failing ones too, leaves both objects with only the test's own reference.
  void TearDown() override {
    EXPECT_EQ(object_.refs, 1);
    EXPECT_EQ(child_.refs, 1);
  }

  // A wrapper over `object_` holding a reference of its own.
  std::unique_ptr<IAutomationObject> Wrap() {
    object_.AddRef();
    auto wrapped = WrapDispatch(&object_);
    EXPECT_NE(wrapped, nullptr);
    return wrapped;
  }

  FakeDispatch object_;
  FakeDispatch child_;
};

// --- Names -------------------------------------------------------------------------------------

TEST_F(AutomationTest, ResolvesTheNameAtEachCall) {
  auto object = Wrap();
  object->Call("SetInfo");
  object_.names[L"setinfo"] = 9;  // the object now maps the name elsewhere
  object->Call("SetInfo");

  EXPECT_EQ(object_.lookedUp, (std::vector<std::wstring>{L"SetInfo", L"SetInfo"}));
  ASSERT_EQ(object_.calls.size(), 2u);
  EXPECT_EQ(object_.calls[0].id, 5);
  EXPECT_EQ(object_.calls[1].id, 9);
  for (const Invocation& call : object_.calls) {
    EXPECT_EQ(call.flags, DISPATCH_METHOD);
    EXPECT_TRUE(call.nullInterface);
    EXPECT_TRUE(call.wantsResult);
    EXPECT_TRUE(call.types.empty());
    EXPECT_TRUE(call.named.empty());
  }
}

TEST_F(AutomationTest, PassesTheNameAsWrittenForTheObjectToMatch) {
  auto object = Wrap();
  object->Call("SETINFO");
  object->Put("pAtH", "x");
  EXPECT_EQ(object_.lookedUp, (std::vector<std::wstring>{L"SETINFO", L"pAtH"}));
  ASSERT_EQ(object_.calls.size(), 2u);
  EXPECT_EQ(object_.calls[0].id, 5);
  EXPECT_EQ(object_.calls[1].id, 11);
}

TEST_F(AutomationTest, WrappingNothingGivesNothing) {
  EXPECT_EQ(WrapDispatch(nullptr), nullptr);
}

// --- Arguments ---------------------------------------------------------------------------------

TEST_F(AutomationTest, PassesStringsLastFirstAsBstrs) {
  auto object = Wrap();
  object->Call("Create", {"IIsWebVirtualDir", "Scripts"});
  ASSERT_EQ(object_.calls.size(), 1u);
  const Invocation& call = object_.calls[0];
  EXPECT_EQ(call.id, 7);
  EXPECT_EQ(call.types, (std::vector<VARTYPE>{VT_BSTR, VT_BSTR}));
  EXPECT_EQ(call.texts, (std::vector<std::wstring>{L"Scripts", L"IIsWebVirtualDir"}));
  EXPECT_TRUE(call.named.empty());
}

TEST_F(AutomationTest, PassesBooleansAsVariantBools) {
  auto object = Wrap();
  object->Call("Create", {"Scripts", true, false});
  ASSERT_EQ(object_.calls.size(), 1u);
  const Invocation& call = object_.calls[0];
  EXPECT_EQ(call.types, (std::vector<VARTYPE>{VT_BOOL, VT_BOOL, VT_BSTR}));
  EXPECT_EQ(call.booleans[0], VARIANT_FALSE);
  EXPECT_EQ(call.booleans[1], VARIANT_TRUE);  // all bits set, not merely non-zero
  EXPECT_EQ(call.texts[2], L"Scripts");
}

TEST_F(AutomationTest, WidensUtf8Strings) {
  auto object = Wrap();
  object->Call("Create", {"Café € Ж", ""});
  ASSERT_EQ(object_.calls.size(), 1u);
  EXPECT_EQ(object_.calls[0].types, (std::vector<VARTYPE>{VT_BSTR, VT_BSTR}));
  EXPECT_EQ(object_.calls[0].texts, (std::vector<std::wstring>{L"", L"Caf\u00e9 \u20ac \u0416"}));
}

// --- Property puts -----------------------------------------------------------------------------

TEST_F(AutomationTest, PutsAPropertyThroughTheNamedPutArgument) {
  auto object = Wrap();
  object->Put("Path", "C:\\Inetpub\\Scripts");
  object->Put("Enabled", true);
  ASSERT_EQ(object_.calls.size(), 2u);

  const Invocation& text = object_.calls[0];
  EXPECT_EQ(text.id, 11);
  EXPECT_EQ(text.flags, DISPATCH_PROPERTYPUT);
  EXPECT_TRUE(text.nullInterface);
  EXPECT_EQ(text.named, (std::vector<DISPID>{DISPID_PROPERTYPUT}));
  EXPECT_EQ(text.types, (std::vector<VARTYPE>{VT_BSTR}));
  EXPECT_EQ(text.texts[0], L"C:\\Inetpub\\Scripts");

  const Invocation& flag = object_.calls[1];
  EXPECT_EQ(flag.id, 12);
  EXPECT_EQ(flag.flags, DISPATCH_PROPERTYPUT);
  EXPECT_EQ(flag.named, (std::vector<DISPID>{DISPID_PROPERTYPUT}));
  EXPECT_EQ(flag.types, (std::vector<VARTYPE>{VT_BOOL}));
  EXPECT_EQ(flag.booleans[0], VARIANT_TRUE);
}

// --- Returned objects --------------------------------------------------------------------------

TEST_F(AutomationTest, ReturnsTheChildObjectUsableAndReleasesIt) {
  auto object = Wrap();
  object_.reply.kind = Reply::kObject;
  object_.reply.object = &child_;
  auto child = object->Call("GetObject", {"IIsWebVirtualDir", "Scripts"});
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child_.refs, 2);  // the reference the call handed out, kept and not doubled

  object.reset();  // the child outlives the object that returned it
  EXPECT_EQ(object_.refs, 1);
  child->Put("Path", "C:\\Scripts");
  child->Call("SetInfo");
  ASSERT_EQ(child_.calls.size(), 2u);
  EXPECT_EQ(child_.calls[0].id, 22);
  EXPECT_EQ(child_.calls[0].texts, (std::vector<std::wstring>{L"C:\\Scripts"}));
  EXPECT_EQ(child_.calls[1].id, 21);

  child.reset();
  EXPECT_EQ(child_.refs, 1);
}

TEST_F(AutomationTest, ReturnsNothingWhenTheResultIsNoObject) {
  auto object = Wrap();
  EXPECT_EQ(object->Call("SetInfo"), nullptr);  // VT_EMPTY
  object_.reply.kind = Reply::kText;
  EXPECT_EQ(object->Call("SetInfo"), nullptr);
  object_.reply.kind = Reply::kNullObject;
  EXPECT_EQ(object->Call("SetInfo"), nullptr);
  EXPECT_EQ(object_.calls.size(), 3u);
}

// --- Failures ----------------------------------------------------------------------------------

TEST_F(AutomationTest, ReportsAnUnknownNameWithoutInvoking) {
  auto object = Wrap();
  EXPECT_EQ(OleFailure([&] {
              object->Call("Frobnicate", {"a", true});
            }),
            "Method 'Frobnicate' not supported by automation object");
  EXPECT_EQ(OleFailure([&] { object->Put("Colour", "blue"); }),
            "Method 'Colour' not supported by automation object");
  EXPECT_TRUE(object_.calls.empty());
  EXPECT_EQ(object_.lookedUp, (std::vector<std::wstring>{L"Frobnicate", L"Colour"}));
}

TEST_F(AutomationTest, ReportsTheObjectsExceptionDescription) {
  auto object = Wrap();
  object_.reply.kind = Reply::kException;
  object_.reply.description = L"The path given is not valid";
  object_.reply.scode = E_ACCESSDENIED;  // the description wins over the code
  EXPECT_EQ(OleFailure([&] {
              object->Call("Create", {"IIsWebVirtualDir", "Scripts"});
            }),
            "The path given is not valid");
  EXPECT_EQ(OleFailure([&] { object->Put("Path", "Q:\\"); }), "The path given is not valid");

  // Texts are UTF-8 inside the program, whatever the system's code page.
  object_.reply.description = L"Zugriff verweigert: \u00c4rger";
  EXPECT_EQ(OleFailure([&] { object->Call("SetInfo"); }), "Zugriff verweigert: \xc3\x84rger");

  object_.reply.deferred = true;
  object_.reply.description = L"Filled in later";
  EXPECT_EQ(OleFailure([&] { object->Call("SetInfo"); }), "Filled in later");

  object_.reply.kind = Reply::kNothing;  // still usable after its failures
  object->Call("SetInfo");
  EXPECT_EQ(object_.calls.size(), 5u);
}

TEST_F(AutomationTest, ReportsAnExceptionWithoutDescriptionByItsCode) {
  const std::string denied = SystemMessage(E_ACCESSDENIED);
  ASSERT_FALSE(denied.empty());
  auto object = Wrap();
  object_.reply.kind = Reply::kException;
  object_.reply.scode = E_ACCESSDENIED;
  EXPECT_EQ(OleFailure([&] { object->Call("SetInfo"); }), denied);

  // Neither text nor code: still a failure, never the system's text for success.
  object_.reply.scode = 0;
  const std::string message = OleFailure([&] { object->Call("SetInfo"); });
  EXPECT_NE(message, SystemMessage(S_OK));
  const std::string exception = SystemMessage(DISP_E_EXCEPTION);
  EXPECT_EQ(message, exception.empty() ? "OLE error 80020009" : exception);
}

TEST_F(AutomationTest, ReportsAFailureCodeWithTheSystemsText) {
  const std::string denied = SystemMessage(E_ACCESSDENIED);
  ASSERT_FALSE(denied.empty());
  EXPECT_NE(denied.find("denied"), std::string::npos) << denied;
  auto object = Wrap();
  object_.reply.kind = Reply::kFailure;
  object_.reply.failure = E_ACCESSDENIED;
  EXPECT_EQ(OleFailure([&] { object->Call("Delete", {"IIsWebVirtualDir", "Scripts"}); }), denied);
  EXPECT_EQ(OleFailure([&] { object->Put("Path", "C:\\"); }), denied);
}

TEST_F(AutomationTest, ReportsACodeWithoutSystemTextAsAnOleError) {
  const HRESULT code = static_cast<HRESULT>(0x8004ABCDu);
  ASSERT_EQ(SystemMessage(code), "");
  auto object = Wrap();
  object_.reply.kind = Reply::kFailure;
  object_.reply.failure = code;
  EXPECT_EQ(OleFailure([&] { object->Call("SetInfo"); }), "OLE error 8004abcd");
  EXPECT_EQ(OleFailure([&] { object->Put("Enabled", false); }), "OLE error 8004abcd");
}

TEST_F(AutomationTest, ReleasesEveryReferenceWhenAChildsCallFails) {
  auto object = Wrap();
  object_.reply.kind = Reply::kObject;
  object_.reply.object = &child_;
  auto child = object->Call("GetObject", {"IIsWebVirtualDir", "Scripts"});
  ASSERT_NE(child, nullptr);
  child_.reply.kind = Reply::kFailure;
  child_.reply.failure = E_ACCESSDENIED;
  EXPECT_NE(OleFailure([&] { child->Call("SetInfo"); }), "no exception");
  EXPECT_NE(OleFailure([&] { child->Call("Missing"); }), "no exception");
  EXPECT_EQ(child_.refs, 2);
  EXPECT_EQ(object_.refs, 2);
  // TearDown checks both counts once the wrappers are gone.
}

}  // namespace
}  // namespace wdx
