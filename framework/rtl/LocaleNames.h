// Locale names ("de_CH.UTF-8", "pt_BR", "sr@latin") and the Windows language identifiers they
// stand for. Both the user's locale on POSIX systems and the Language field of a translation
// catalogue are read this way, so that one name means one language everywhere.
#pragma once

#include <string_view>

namespace wdx {

// The Windows language identifier (primary language in the low 10 bits, sublanguage above
// them) of a locale name of the form language[_territory][.codeset][@modifier]; the language
// part is an ISO 639 code, ASCII case ignored. 0 when the language is not one of those the
// system knows, or the name is empty.
int LanguageIdOfLocaleName(std::string_view locale);

// The ISO 639-1 code of a Windows primary language identifier (the low 8 bits of `languageId`
// count), or "" when the system knows none.
std::string_view LocaleCodeOfLanguageId(int languageId);

}  // namespace wdx
