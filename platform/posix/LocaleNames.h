// POSIX locale names (language[_territory][.codeset][@modifier]) in the Windows numbering of
// language identifiers, for the stand-ins of the user's locale.
#pragma once

#include <string>

namespace wdx {

// The locale that a category follows: the first of LC_ALL, the category's variable and LANG
// that is set and not empty; "" when none is.
std::string LocaleOfCategory(const char* categoryVariable);
// The Windows language identifier of a POSIX locale name; English (United States) for "", "C"
// and "POSIX", 0 for a language that has no identifier.
int LanguageIdOfLocale(const std::string& locale);

}  // namespace wdx
