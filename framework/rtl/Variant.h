// The framework's tagged value. Its 16-bit type code says what it holds; the language data
// stores every translated property value as one of these.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wdx {

enum VarType : uint16_t {
  varEmpty = 0,
  varNull = 1,
  varSmallint = 2,
  varInteger = 3,
  varSingle = 4,
  varDouble = 5,
  varCurrency = 6,
  varDate = 7,
  varOleStr = 8,
  varDispatch = 9,
  varError = 10,
  varBoolean = 11,
  varVariant = 12,
  varUnknown = 13,
  varShortInt = 16,
  varByte = 17,
  varWord = 18,
  varLongWord = 19,
  varInt64 = 20,
  varString = 256,
  varTypeMask = 0x0FFF,
  varArray = 0x2000,
  varByRef = 0x4000,
};

class Variant {
 public:
  Variant() = default;                                        // Empty
  Variant(int32_t value) : type_(varInteger), int_(value) {}  // NOLINT: implicit like the host's
  Variant(double value) : type_(varDouble), real_(value) {}   // NOLINT
  Variant(bool value) : type_(varBoolean), int_(value ? 1 : 0) {}           // NOLINT
  Variant(std::string value) : type_(varString), str_(std::move(value)) {}  // NOLINT
  Variant(const char* value) : Variant(std::string(value)) {}               // NOLINT

  static Variant Null();
  static Variant Smallint(int16_t value);
  static Variant Single(float value);
  static Variant Currency(int64_t amountTimes10000);
  static Variant Date(double days);
  static Variant Wide(std::u16string value);
  static Variant Byte(uint8_t value);
  static Variant Int64(int64_t value);
  // A value of a type the language data cannot store (an error code, an interface, ...).
  static Variant OfType(uint16_t type, int64_t payload = 0);
  // A variant array of elements of one type; `elementType` is the code without the array flag.
  static Variant Array(uint16_t elementType, std::vector<Variant> elements);

  uint16_t VType() const { return type_; }
  bool IsEmpty() const { return type_ == varEmpty; }
  bool IsNull() const { return type_ == varNull; }
  bool IsArray() const { return (type_ & varArray) != 0; }

  // The stored payload without conversion, for code that has checked VType().
  int64_t RawInt() const { return int_; }
  double RawReal() const { return real_; }
  const std::string& RawString() const { return str_; }
  const std::u16string& RawWide() const { return wide_; }
  const std::vector<Variant>& RawArray() const;

  // The framework's standard conversions; each raises EVariantTypeCastError when the value
  // cannot convert (Null to anything but a variant, text that is no number, an array, ...).
  int32_t ToInteger() const;
  double ToDouble() const;
  int64_t ToCurrency() const;  // amount times 10000
  bool ToBoolean() const;
  std::string ToString() const;  // UTF-8; a wide string converts without loss

  bool operator==(const Variant& other) const;

  // The type's name as conversion errors show it: "Null", "String", "Array Integer", ...
  static std::string TypeName(uint16_t type);

 private:
  [[noreturn]] void CastError(uint16_t target) const;

  uint16_t type_ = varEmpty;
  int64_t int_ = 0;
  double real_ = 0;
  std::string str_;
  std::u16string wide_;
  std::shared_ptr<const std::vector<Variant>> array_;
};

}  // namespace wdx
