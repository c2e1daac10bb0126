#include "framework/rtl/LocaleText.h"

#include <algorithm>

#include "framework/rtl/Format.h"
#include "framework/rtl/NumberText.h"
#include "framework/rtl/Variant.h"

namespace wdx {

namespace {

std::string WithSeparator(std::string text, char separator) {
  std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

// Runs of one letter are fields; quoted text is copied without its quotes ('' is a quote).
std::string FormatPicture(const std::string& picture, const TDateTimeParts& parts,
                          const TFormatSettings& settings) {
  std::string text;
  for (size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const size_t close = picture.find('\'', i + 1);
      const size_t end = close == std::string::npos ? picture.size() : close;
      text += end == i + 1 && close != std::string::npos ? "'" : picture.substr(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    const auto field = [&](long long value) {
      text += run >= 2 ? Format("%02lld", value) : Format("%lld", value);
    };
    switch (c) {
      case 'd':
        field(parts.Day);
        break;
      case 'M':
        field(parts.Month);
        break;
      case 'y':
        text += run <= 2 ? Format("%02lld", static_cast<long long>(parts.Year % 100))
                         : Format("%04lld", static_cast<long long>(parts.Year));
        break;
      case 'H':
        field(parts.Hour);
        break;
      case 'h':
        field(parts.Hour % 12 == 0 ? 12 : parts.Hour % 12);
        break;
      case 'm':
        field(parts.Minute);
        break;
      case 's':
        field(parts.Second);
        break;
      case 't': {
        const std::string& designator =
            parts.Hour < 12 ? settings.TimeAMString : settings.TimePMString;
        text += run == 1 ? designator.substr(0, 1) : designator;
        break;
      }
      default:
        text.append(run, c);
    }
  }
  return text;
}

}  // namespace

std::string FloatToStr(double value, int precision, const TFormatSettings& settings) {
  return WithSeparator(FloatToStr(value, precision), settings.DecimalSeparator);
}

std::string CurrToStr(int64_t amountTimes10000, const TFormatSettings& settings) {
  return WithSeparator(CurrToStr(amountTimes10000), settings.DecimalSeparator);
}

std::string DateTimeToStr(double date, const TFormatSettings& settings) {
  TDateTimeParts parts;
  if (!DecodeDateTime(date, parts)) return FloatToStr(date, 15, settings);
  std::string text = FormatPicture(settings.ShortDateFormat, parts, settings);
  if (parts.HasTime) text += " " + FormatPicture(settings.LongTimeFormat, parts, settings);
  return text;
}

std::string VarToLocaleStr(const Variant& value, const TFormatSettings& settings) {
  switch (value.VType()) {
    case varSingle:
      return FloatToStr(value.RawReal(), 7, settings);
    case varDouble:
      return FloatToStr(value.RawReal(), 15, settings);
    case varDate:
      return DateTimeToStr(value.RawReal(), settings);
    case varCurrency:
      return CurrToStr(value.RawInt(), settings);
    default:
      return value.ToString();
  }
}

std::optional<double> TryStrToFloat(std::string_view text, const TFormatSettings& settings) {
  if (const auto value = TryStrToFloat(text)) return value;
  if (settings.DecimalSeparator == '.') return std::nullopt;
  std::string pointed(text);
  if (pointed.find('.') != std::string::npos) return std::nullopt;
  std::replace(pointed.begin(), pointed.end(), settings.DecimalSeparator, '.');
  return TryStrToFloat(pointed);
}

}  // namespace wdx
