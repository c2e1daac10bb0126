#include "framework/rtl/Variant.h"

#include <cmath>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/NumberText.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Utf8.h"

namespace wdx {

Variant Variant::Null() {
  Variant v;
  v.type_ = varNull;
  return v;
}

Variant Variant::Smallint(int16_t value) {
  return OfType(varSmallint, value);
}

Variant Variant::Single(float value) {
  Variant v;
  v.type_ = varSingle;
  v.real_ = value;
  return v;
}

Variant Variant::Currency(int64_t amount) {
  return OfType(varCurrency, amount);
}

Variant Variant::Date(double days) {
  Variant v(days);
  v.type_ = varDate;
  return v;
}

Variant Variant::Wide(std::u16string value) {
  Variant v;
  v.type_ = varOleStr;
  v.wide_ = std::move(value);
  return v;
}

Variant Variant::Byte(uint8_t value) {
  return OfType(varByte, value);
}

Variant Variant::Int64(int64_t value) {
  return OfType(varInt64, value);
}

Variant Variant::OfType(uint16_t type, int64_t payload) {
  Variant v;
  v.type_ = type;
  v.int_ = payload;
  return v;
}

Variant Variant::Array(uint16_t elementType, std::vector<Variant> elements) {
  Variant v;
  v.type_ = static_cast<uint16_t>((elementType & varTypeMask) | varArray);
  v.array_ = std::make_shared<const std::vector<Variant>>(std::move(elements));
  return v;
}

const std::vector<Variant>& Variant::RawArray() const {
  static const std::vector<Variant> kNone;
  return array_ ? *array_ : kNone;
}

std::string Variant::TypeName(uint16_t type) {
  std::string prefix = (type & varArray) ? "Array " : "";
  switch (type & varTypeMask) {
    case varEmpty:
      return prefix + "Empty";
    case varNull:
      return prefix + "Null";
    case varSmallint:
      return prefix + "Smallint";
    case varInteger:
      return prefix + "Integer";
    case varSingle:
      return prefix + "Single";
    case varDouble:
      return prefix + "Double";
    case varCurrency:
      return prefix + "Currency";
    case varDate:
      return prefix + "Date";
    case varOleStr:
      return prefix + "OleStr";
    case varDispatch:
      return prefix + "Dispatch";
    case varError:
      return prefix + "Error";
    case varBoolean:
      return prefix + "Boolean";
    case varVariant:
      return prefix + "Variant";
    case varUnknown:
      return prefix + "Unknown";
    case varShortInt:
      return prefix + "ShortInt";
    case varByte:
      return prefix + "Byte";
    case varWord:
      return prefix + "Word";
    case varLongWord:
      return prefix + "LongWord";
    case varInt64:
      return prefix + "Int64";
    case varString:
      return prefix + "String";
    default:
      return prefix + Format("$%.4X", type & varTypeMask);
  }
}

void Variant::CastError(uint16_t target) const {
  throw EVariantTypeCastError(Format("Could not convert variant of type (%s) into type (%s)",
                                     TypeName(type_).c_str(), TypeName(target).c_str()));
}

namespace {

bool IsIntegerType(uint16_t type) {
  switch (type) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
      return true;
    default:
      return false;
  }
}

bool IsRealType(uint16_t type) {
  return type == varSingle || type == varDouble || type == varDate;
}

// Rounds to the nearest integer, halves to even, as the host's integer conversion does.
std::optional<int64_t> RoundToInt64(double value) {
  if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) return std::nullopt;
  return static_cast<int64_t>(std::nearbyint(value));
}

}  // namespace

int32_t Variant::ToInteger() const {
  std::optional<int64_t> value;
  if (type_ == varEmpty) {
    value = 0;
  } else if (IsIntegerType(type_)) {
    value = int_;
  } else if (type_ == varBoolean) {
    value = int_ ? -1 : 0;
  } else if (IsRealType(type_)) {
    value = RoundToInt64(real_);
  } else if (type_ == varCurrency) {
    value = RoundToInt64(static_cast<double>(int_) / 10000.0);
  } else if (type_ == varString || type_ == varOleStr) {
    const std::string text = type_ == varString ? str_ : Utf16ToUtf8(wide_);
    if (auto parsed = TryStrToInt(Trim(text))) {
      value = *parsed;
    } else if (auto real = TryStrToFloat(text)) {
      value = RoundToInt64(*real);
    }
  }
  if (!value || *value < INT32_MIN || *value > INT32_MAX) CastError(varInteger);
  return static_cast<int32_t>(*value);
}

double Variant::ToDouble() const {
  if (type_ == varEmpty) return 0;
  if (IsIntegerType(type_)) return static_cast<double>(int_);
  if (type_ == varBoolean) return int_ ? -1 : 0;
  if (IsRealType(type_)) return real_;
  if (type_ == varCurrency) return static_cast<double>(int_) / 10000.0;
  if (type_ == varString || type_ == varOleStr) {
    if (auto real = TryStrToFloat(type_ == varString ? str_ : Utf16ToUtf8(wide_))) return *real;
  }
  CastError(varDouble);
}

int64_t Variant::ToCurrency() const {
  if (type_ == varCurrency) return int_;
  if (IsIntegerType(type_) && int_ >= INT64_MIN / 10000 && int_ <= INT64_MAX / 10000) {
    return int_ * 10000;
  }
  if (type_ == varEmpty || type_ == varBoolean || IsRealType(type_) || type_ == varString ||
      type_ == varOleStr || IsIntegerType(type_)) {
    double real = 0;
    try {
      real = ToDouble();
    } catch (const EVariantTypeCastError&) {
      CastError(varCurrency);
    }
    if (auto amount = RoundToInt64(real * 10000.0)) return *amount;
  }
  CastError(varCurrency);
}

bool Variant::ToBoolean() const {
  if (type_ == varEmpty) return false;
  if (type_ == varBoolean || IsIntegerType(type_) || type_ == varCurrency) return int_ != 0;
  if (IsRealType(type_)) return real_ != 0;
  if (type_ == varString || type_ == varOleStr) {
    const std::string text = Trim(type_ == varString ? str_ : Utf16ToUtf8(wide_));
    if (SameText(text, "True")) return true;
    if (SameText(text, "False")) return false;
    if (auto real = TryStrToFloat(text)) return *real != 0;
  }
  CastError(varBoolean);
}

std::string Variant::ToString() const {
  switch (type_) {
    case varEmpty:
      return "";
    case varString:
      return str_;
    case varOleStr:
      return Utf16ToUtf8(wide_);
    case varBoolean:
      return int_ ? "True" : "False";
    case varSingle:
      return FloatToStr(real_, 7);  // a single carries about 7 digits
    case varDouble:
      return FloatToStr(real_);
    case varDate:
      return DateTimeToStr(real_);
    case varCurrency:
      return CurrToStr(int_);
    default:
      if (IsIntegerType(type_)) return IntToStr(int_);
      CastError(varString);
  }
}

bool Variant::operator==(const Variant& other) const {
  if (type_ != other.type_) return false;
  if (IsArray()) return RawArray() == other.RawArray();
  return int_ == other.int_ && real_ == other.real_ && str_ == other.str_ && wide_ == other.wide_;
}

}  // namespace wdx
