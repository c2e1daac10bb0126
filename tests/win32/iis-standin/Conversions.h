// Conversions between the automation types that cross the provider's interfaces and the
// framework's text and variants.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oaidl.h>

#include <string>

#include "framework/rtl/Variant.h"

namespace wdx::iis {

// Wide text in the system's 8-bit code page; null gives "".
std::string Narrow(const wchar_t* text);
// A new automation string; null when out of memory.
BSTR AllocString(const std::string& text);

// An argument as the framework's variant: strings, Booleans and integers, by value or by
// reference. False for any other type.
bool FromAutomation(const VARIANT& argument, Variant& value);
// A result as an automation value (string or Boolean); false when out of memory.
bool ToAutomation(const Variant& value, VARIANT& result);

}  // namespace wdx::iis
