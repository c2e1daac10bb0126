#include "platform/LocaleFormat.h"

#include <string>

#include "framework/rtl/StrUtils.h"
#include "platform/posix/LocaleNames.h"

namespace wdx {

namespace {

// The Windows defaults of a language: its decimal separator and short date picture. The time
// is written HH:mm:ss except where a row says otherwise.
struct LanguageFormat {
  int id;  // a primary language, or a whole identifier for a regional difference
  char decimal;
  const char* shortDate;
  const char* longTime = "HH:mm:ss";
};

constexpr LanguageFormat kRegionalFormats[] = {
    {0x0409, '.', "M/d/yyyy", "h:mm:ss tt"},
    {0x0809, '.', "dd/MM/yyyy"},
    {0x0C09, '.', "d/MM/yyyy", "h:mm:ss tt"},
    {0x1009, '.', "yyyy-MM-dd", "h:mm:ss tt"},
    {0x0807, '.', "dd.MM.yyyy"},
    {0x0C07, ',', "dd.MM.yyyy"},
    {0x100C, '.', "dd.MM.yyyy"},
    {0x0C0C, ',', "yyyy-MM-dd"},
    {0x0810, '.', "dd.MM.yyyy"},
    {0x080A, '.', "dd/MM/yyyy", "hh:mm:ss tt"},
    {0x0804, '.', "yyyy/M/d"},
};

constexpr LanguageFormat kLanguageFormats[] = {
    {0x36, ',', "yyyy/MM/dd"},
    {0x1C, ',', "d.M.yyyy"},
    {0x01, '.', "dd/MM/yy"},
    {0x2D, ',', "yyyy/MM/dd"},
    {0x23, ',', "dd.MM.yyyy"},
    {0x02, ',', "d.M.yyyy"},
    {0x03, ',', "dd/MM/yyyy"},
    {0x04, '.', "yyyy/M/d"},
    {0x1A, ',', "d.M.yyyy"},
    {0x05, ',', "dd.MM.yyyy"},
    {0x06, ',', "dd-MM-yyyy"},
    {0x13, ',', "d-M-yyyy"},
    {0x09, '.', "M/d/yyyy", "h:mm:ss tt"},
    {0x25, ',', "d.MM.yyyy"},
    {0x38, ',', "dd.MM.yyyy"},
    {0x29, '.', "yyyy/MM/dd"},
    {0x0B, ',', "d.M.yyyy"},
    {0x0C, ',', "dd/MM/yyyy"},
    {0x07, ',', "dd.MM.yyyy"},
    {0x08, ',', "d/M/yyyy"},
    {0x0D, '.', "dd/MM/yyyy"},
    {0x0E, ',', "yyyy. MM. dd."},
    {0x0F, ',', "d.M.yyyy"},
    {0x21, ',', "dd/MM/yyyy"},
    {0x10, ',', "dd/MM/yyyy"},
    {0x11, '.', "yyyy/MM/dd"},
    {0x12, '.', "yyyy-MM-dd"},
    {0x26, ',', "dd.MM.yyyy"},
    {0x27, ',', "yyyy-MM-dd"},
    {0x14, ',', "dd.MM.yyyy"},
    {0x15, ',', "dd.MM.yyyy"},
    {0x16, ',', "dd/MM/yyyy"},
    {0x18, ',', "dd.MM.yyyy"},
    {0x19, ',', "dd.MM.yyyy"},
    {0x1B, ',', "d.M.yyyy"},
    {0x24, ',', "d.M.yyyy"},
    {0x0A, ',', "dd/MM/yyyy"},
    {0x1D, ',', "yyyy-MM-dd"},
    {0x1E, '.', "d/M/yyyy"},
    {0x1F, ',', "dd.MM.yyyy"},
    {0x22, ',', "dd.MM.yyyy"},
    {0x2A, ',', "dd/MM/yyyy"},
};

const LanguageFormat* FormatOf(int languageId) {
  for (const LanguageFormat& format : kRegionalFormats) {
    if (format.id == languageId) return &format;
  }
  for (const LanguageFormat& format : kLanguageFormats) {
    if (format.id == (languageId & 0x3FF)) return &format;
  }
  return nullptr;
}

// The format of the locale that a category follows; none for the plain C locale.
const LanguageFormat* FormatOfCategory(const char* categoryVariable) {
  const std::string locale = LocaleOfCategory(categoryVariable);
  const std::string language = AsciiLower(locale.substr(0, locale.find_first_of("_.@")));
  if (language.empty() || language == "c" || language == "posix") return nullptr;
  return FormatOf(LanguageIdOfLocale(locale));
}

}  // namespace

// Numbers follow LC_NUMERIC and dates LC_TIME, each overridden by LC_ALL and defaulting to LANG.
TFormatSettings UserFormatSettings() {
  TFormatSettings settings;
  if (const LanguageFormat* numbers = FormatOfCategory("LC_NUMERIC")) {
    settings.DecimalSeparator = numbers->decimal;
  }
  if (const LanguageFormat* dates = FormatOfCategory("LC_TIME")) {
    settings.ShortDateFormat = dates->shortDate;
    settings.LongTimeFormat = dates->longTime;
  }
  return settings;
}

}  // namespace wdx
