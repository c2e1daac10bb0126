// Numbers to text and back, independent of the C locale: the decimal separator is always '.'.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wdx {

std::string IntToStr(int64_t value);
// General form with `precision` significant digits: 1.5, 0.0001, 1E20, 1E-5.
std::string FloatToStr(double value, int precision = 15);
// A currency amount held as the value times 10000: 15000 gives "1.5".
std::string CurrToStr(int64_t amountTimes10000);
// A day count since 30 December 1899 as "yyyy-mm-dd", followed by " hh:nn:ss" when it has a time.
std::string DateTimeToStr(double date);

// The calendar date and time of day of a day count since 30 December 1899.
struct TDateTimeParts {
  int64_t Year = 0;
  int Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
  bool HasTime = false;  // a time of day other than midnight
};
// False for a day count too far from the epoch (or not finite) to be a date.
bool DecodeDateTime(double date, TDateTimeParts& parts);

// Decimal integer with an optional sign; "$" or "0x" selects hexadecimal. Surrounding blanks are
// not allowed. Fails on overflow of 32 bits (hexadecimal accepts up to FFFFFFFF, wrapping).
std::optional<int32_t> TryStrToInt(std::string_view text);
// StrToInt raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);
std::optional<int64_t> TryStrToInt64(std::string_view text);
std::optional<double> TryStrToFloat(std::string_view text);

}  // namespace wdx
