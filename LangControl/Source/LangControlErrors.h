// Errors of the language controller that callers tell apart by class.
#pragma once

#include "framework/rtl/Exceptions.h"

namespace wdx {

// A requested language is not among a control's languages. A language change drops it: the
// control keeps its language.
WDX_EXCEPTION(ELanguageNotFound, Exception);

}  // namespace wdx
