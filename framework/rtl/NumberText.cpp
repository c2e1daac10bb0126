#include "framework/rtl/NumberText.h"

#include <charconv>
#include <cmath>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

namespace wdx {

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string FloatToStr(double value, int precision) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  std::string text(buffer, result.ptr);
  // The general form writes exponents as e+20 or e-05; the framework writes E20 and E-5.
  const size_t e = text.find('e');
  if (e == std::string::npos) return text;
  std::string exponent = text.substr(e + 1);
  const bool negative = !exponent.empty() && exponent[0] == '-';
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
  while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
  text.resize(e);
  text.push_back('E');
  if (negative) text.push_back('-');
  text.append(exponent);
  return text;
}

std::string CurrToStr(int64_t amount) {
  const bool negative = amount < 0;
  // Work in unsigned to take INT64_MIN safely.
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(amount) : amount;
  std::string text = std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return negative ? "-" + text : text;
}

bool DecodeDateTime(double date, TDateTimeParts& parts) {
  if (!std::isfinite(date) || std::fabs(date) > 3e6) return false;
  double dayPart = std::floor(date);
  double timePart = date - dayPart;
  // Negative day counts carry the time of day as a positive fraction of the day before zero.
  if (date < 0 && timePart > 0) {
    dayPart = std::ceil(date);
    timePart = dayPart - date;
  }
  // Days since 1899-12-30 to a civil date (proleptic Gregorian calendar).
  int64_t z = static_cast<int64_t>(dayPart) - 25569 + 719468;  // 1970-01-01 is day 25569
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  parts.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  parts.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  parts.Year = yoe + era * 400 + (parts.Month <= 2 ? 1 : 0);
  const int64_t seconds = std::llround(timePart * 86400.0);
  parts.HasTime = seconds > 0 && seconds < 86400;
  parts.Hour = parts.HasTime ? static_cast<int>(seconds / 3600) : 0;
  parts.Minute = parts.HasTime ? static_cast<int>(seconds / 60 % 60) : 0;
  parts.Second = parts.HasTime ? static_cast<int>(seconds % 60) : 0;
  return true;
}

std::string DateTimeToStr(double date) {
  TDateTimeParts parts;
  if (!DecodeDateTime(date, parts)) return FloatToStr(date);
  std::string text =
      Format("%04lld-%02d-%02d", static_cast<long long>(parts.Year), parts.Month, parts.Day);
  if (parts.HasTime) text += Format(" %02d:%02d:%02d", parts.Hour, parts.Minute, parts.Second);
  return text;
}

namespace {

struct ParsedInteger {
  bool negative = false;
  bool hex = false;
  uint64_t magnitude = 0;
};

// An optionally signed integer; hexadecimal after "$" or "0x"/"0X".
std::optional<ParsedInteger> ParseInteger(std::string_view text) {
  ParsedInteger parsed;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    parsed.negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (!text.empty() && text[0] == '$') {
    parsed.hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    parsed.hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(),
                                            parsed.magnitude, parsed.hex ? 16 : 10);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return parsed;
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  const auto parsed = ParseInteger(text);
  if (!parsed) return std::nullopt;
  // Hexadecimal text names the 32 bits themselves; decimal text must fit the signed range.
  const uint64_t limit = parsed->hex ? 0xFFFFFFFFull : 0x7FFFFFFFull + (parsed->negative ? 1 : 0);
  if (parsed->magnitude > limit) return std::nullopt;
  const uint32_t bits = static_cast<uint32_t>(parsed->magnitude);
  return static_cast<int32_t>(parsed->negative ? 0u - bits : bits);
}

int32_t StrToInt(std::string_view text) {
  const auto value = TryStrToInt(text);
  if (!value) throw EConvertError(Format(msg::kInvalidInteger, std::string(text).c_str()));
  return *value;
}

std::optional<int64_t> TryStrToInt64(std::string_view text) {
  const auto parsed = ParseInteger(text);
  if (!parsed) return std::nullopt;
  const uint64_t limit =
      parsed->hex ? UINT64_MAX : 0x7FFFFFFFFFFFFFFFull + (parsed->negative ? 1 : 0);
  if (parsed->magnitude > limit) return std::nullopt;
  const uint64_t bits = parsed->negative ? 0 - parsed->magnitude : parsed->magnitude;
  return static_cast<int64_t>(bits);
}

std::optional<double> TryStrToFloat(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace wdx
