#include "platform/Locale.h"

#include <cstdlib>
#include <string>

#include "framework/rtl/LocaleNames.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

constexpr int kEnglishUs = 0x0409;

// The locale of the messages: the first of the variables that is set and not empty.
std::string LocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

}  // namespace

int UserDefaultLanguageId() {
  const std::string locale = LocaleName();
  // language[_territory][.codeset][@modifier]; the C locale is the system's English.
  const std::string language = AsciiLower(locale.substr(0, locale.find_first_of("_.@")));
  if (language.empty() || language == "c" || language == "posix") return kEnglishUs;
  return LanguageIdOfLocaleName(locale);
}

}  // namespace wdx
