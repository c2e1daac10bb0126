#include "platform/LocaleFormat.h"

#include <windows.h>

#include <string>

namespace wdx {

namespace {

// One setting of the user's default locale; `fallback` when it cannot be read.
std::string LocaleSetting(LCTYPE type, const std::string& fallback) {
  char buffer[128];
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer, static_cast<size_t>(length - 1)) : fallback;
}

}  // namespace

TFormatSettings UserFormatSettings() {
  TFormatSettings settings;
  settings.DecimalSeparator = LocaleSetting(LOCALE_SDECIMAL, ".")[0];
  settings.ShortDateFormat = LocaleSetting(LOCALE_SSHORTDATE, settings.ShortDateFormat);
  settings.LongTimeFormat = LocaleSetting(LOCALE_STIMEFORMAT, settings.LongTimeFormat);
  settings.TimeAMString = LocaleSetting(LOCALE_S1159, settings.TimeAMString);
  settings.TimePMString = LocaleSetting(LOCALE_S2359, settings.TimePMString);
  return settings;
}

}  // namespace wdx
