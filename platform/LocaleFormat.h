// How the user's default locale writes numbers and dates.
#pragma once

#include "framework/rtl/LocaleText.h"

namespace wdx {

// The decimal separator, short date and long time pictures and AM/PM designators of the user's
// default locale; the invariant settings when the locale is unknown.
TFormatSettings UserFormatSettings();

}  // namespace wdx
