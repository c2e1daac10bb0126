#include "platform/LocaleFormat.h"

#include <windows.h>

#include <string>

#include "framework/rtl/WideText.h"

namespace wdx {

namespace {

// One setting of the user's default locale; `fallback` when it cannot be read.
std::string LocaleSetting(LCTYPE type, const std::string& fallback) {
  wchar_t buffer[128];
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  return length > 1 ? Utf8(std::wstring_view(buffer, static_cast<size_t>(length - 1))) : fallback;
}

}  // namespace

TFormatSettings UserFormatSettings() {
  TFormatSettings settings;
  // One byte of UTF-8 text: a separator beyond ASCII leaves the point.
  const std::string separator = LocaleSetting(LOCALE_SDECIMAL, ".");
  settings.DecimalSeparator = separator.size() == 1 ? separator[0] : '.';
  settings.ShortDateFormat = LocaleSetting(LOCALE_SSHORTDATE, settings.ShortDateFormat);
  settings.LongTimeFormat = LocaleSetting(LOCALE_STIMEFORMAT, settings.LongTimeFormat);
  settings.TimeAMString = LocaleSetting(LOCALE_S1159, settings.TimeAMString);
  settings.TimePMString = LocaleSetting(LOCALE_S2359, settings.TimePMString);
  return settings;
}

}  // namespace wdx
