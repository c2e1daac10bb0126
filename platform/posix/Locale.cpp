#include "platform/Locale.h"

#include <cstdlib>
#include <string>

#include "framework/rtl/CodePage.h"
#include "framework/rtl/LocaleNames.h"
#include "framework/rtl/StrUtils.h"
#include "platform/posix/LocaleNames.h"

namespace wdx {

namespace {

constexpr int kEnglishUs = 0x0409;

}  // namespace

std::string LocaleOfCategory(const char* categoryVariable) {
  for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

int LanguageIdOfLocale(const std::string& locale) {
  // language[_territory][.codeset][@modifier]; the C locale is the system's English.
  const std::string language = AsciiLower(locale.substr(0, locale.find_first_of("_.@")));
  if (language.empty() || language == "c" || language == "posix") return kEnglishUs;
  return LanguageIdOfLocaleName(locale);
}

int UserDefaultLanguageId() {
  return LanguageIdOfLocale(LocaleOfCategory("LC_MESSAGES"));
}

int SystemCodePage() {
  return kCodePageWindows1252;
}

}  // namespace wdx
