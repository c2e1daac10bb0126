// Numbers and dates as text for a locale: the decimal separator and the date and time pictures
// of the user's settings. The invariant settings give the same text as NumberText.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wdx {

class Variant;

struct TFormatSettings {
  char DecimalSeparator = '.';
  // Pictures in the Windows notation: d dd M MM yy yyyy for the date, h hh H HH m mm s ss and
  // t tt (the AM/PM designator) for the time; text in single quotes is copied.
  std::string ShortDateFormat = "yyyy-MM-dd";
  std::string LongTimeFormat = "HH:mm:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
};

std::string FloatToStr(double value, int precision, const TFormatSettings& settings);
std::string CurrToStr(int64_t amountTimes10000, const TFormatSettings& settings);
// The date in the short date picture, followed by a blank and the time in the long time picture
// when it has a time of day.
std::string DateTimeToStr(double date, const TFormatSettings& settings);
// The variant as text, numbers and dates written for `settings`; raises the conversion error
// of Variant::ToString for a value without text.
std::string VarToLocaleStr(const Variant& value, const TFormatSettings& settings);

// A number written with a point or with the settings' decimal separator.
std::optional<double> TryStrToFloat(std::string_view text, const TFormatSettings& settings);

}  // namespace wdx
