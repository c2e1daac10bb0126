// Conversions between the controls' values and what the Windows API takes, kept apart from the
// window code so that they stay small and plain.
#pragma once

#include <string>

#include "framework/rtl/WideText.h"

namespace wdx::win32 {

// A file dialog's filter "Description|pattern|Description|pattern" in the API's form: every
// part ends with a NUL and the list with a second one.
std::string FilterList(const std::string& filter);

}  // namespace wdx::win32
