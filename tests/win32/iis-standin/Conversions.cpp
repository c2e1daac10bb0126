#include "tests/win32/iis-standin/Conversions.h"

// After windows.h, which it needs.
#include <oleauto.h>

#include "framework/rtl/Utf8.h"

namespace wdx::iis {

std::string Narrow(const wchar_t* text) {
  if (!text) return {};
  std::u16string wide;
  for (; *text; ++text) wide.push_back(static_cast<char16_t>(*text));
  return Utf16ToUtf8(wide);
}

BSTR AllocString(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(wide.data()),
                           static_cast<UINT>(wide.size()));
}

bool FromAutomation(const VARIANT& argument, Variant& value) {
  const bool byReference = (argument.vt & VT_BYREF) != 0;
  switch (argument.vt & ~VT_BYREF) {
    case VT_BSTR: {
      const BSTR text = byReference ? *argument.pbstrVal : argument.bstrVal;
      value = Variant(Narrow(text));
      return true;
    }
    case VT_BOOL:
      value = Variant((byReference ? *argument.pboolVal : argument.boolVal) != VARIANT_FALSE);
      return true;
    case VT_I2:
      value = Variant(static_cast<int32_t>(byReference ? *argument.piVal : argument.iVal));
      return true;
    case VT_I4:
      value = Variant(static_cast<int32_t>(byReference ? *argument.plVal : argument.lVal));
      return true;
    case VT_VARIANT:
      return byReference && argument.pvarVal && FromAutomation(*argument.pvarVal, value);
    default:
      return false;
  }
}

bool ToAutomation(const Variant& value, VARIANT& result) {
  VariantInit(&result);
  if (value.VType() == varBoolean) {
    result.vt = VT_BOOL;
    result.boolVal = value.ToBoolean() ? VARIANT_TRUE : VARIANT_FALSE;
    return true;
  }
  if (value.VType() == varInteger) {
    result.vt = VT_I4;
    result.lVal = value.ToInteger();
    return true;
  }
  result.bstrVal = AllocString(value.ToString());
  if (!result.bstrVal) return false;
  result.vt = VT_BSTR;
  return true;
}

}  // namespace wdx::iis
