#include "platform/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "framework/rtl/CodePage.h"
#include "framework/rtl/LocaleNames.h"
#include "framework/rtl/StrUtils.h"
#include "platform/posix/LocaleNames.h"

namespace wdx {

namespace {

constexpr int kEnglishUs = 0x0409;

// The code page of a codeset's name, as locale names and the C library write it ("UTF-8",
// "utf8", "ISO-8859-1", "ANSI_X3.4-1968", "CP1251"): compared ignoring case, dashes and
// underscores. A codeset CodePage.h does not know is US-ASCII, whose characters every one holds.
int CodePageOfCodeset(const std::string& codeset) {
  std::string name = AsciiLower(codeset);
  std::erase_if(name, [](char c) { return c == '-' || c == '_'; });
  if (name == "utf8") return kCodePageUtf8;
  if (name == "iso88591" || name == "latin1") return kCodePageLatin1;
  for (const char* prefix : {"cp", "windows"}) {
    const std::string_view number =
        name.rfind(prefix, 0) == 0 ? std::string_view(name).substr(std::strlen(prefix)) : "";
    if (!number.empty() && number.size() <= 5 &&
        number.find_first_not_of("0123456789") == std::string::npos) {
      const int codePage = std::stoi(std::string(number));
      if (IsKnownCodePage(codePage)) return codePage;
    }
  }
  return kCodePageUsAscii;
}

// The codeset the C library gives a locale named without one ("de_DE"), or "" when the system
// does not have that locale.
std::string CodesetOfInstalledLocale(const std::string& locale) {
  const locale_t handle = ::newlocale(LC_CTYPE_MASK, locale.c_str(), static_cast<locale_t>(0));
  if (handle == static_cast<locale_t>(0)) return {};
  std::string codeset = ::nl_langinfo_l(CODESET, handle);
  ::freelocale(handle);
  return codeset;
}

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

int FileTextCodePage() {
  const std::string locale = LocaleOfCategory("LC_CTYPE");
  const size_t dot = locale.find('.');
  if (dot != std::string::npos) {
    return CodePageOfCodeset(locale.substr(dot + 1, locale.find('@', dot) - dot - 1));
  }
  const std::string language = AsciiLower(locale.substr(0, locale.find_first_of("_@")));
  if (language.empty() || language == "c" || language == "posix") return SystemCodePage();
  const std::string codeset = CodesetOfInstalledLocale(locale);
  return codeset.empty() ? kCodePageUsAscii : CodePageOfCodeset(codeset);
}

int FileNameCodePage(bool) {
  return FileTextCodePage();
}

}  // namespace wdx
