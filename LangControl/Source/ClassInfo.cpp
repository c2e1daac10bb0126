#include "LangControl/Source/ClassInfo.h"

#include <cstdio>
#include <string_view>

#include "LangControl/Source/TypeTools.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/LocaleText.h"
#include "framework/rtl/NumberText.h"
#include "framework/rtti/LiveObjects.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "platform/LocaleFormat.h"

namespace wdx {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Integer, small-integer and byte variants are taken as they are; the framework's conversion
// rounds reals and currency to the nearest integer (halves to even), reads numeric text and
// raises for anything that does not fit 32 bits.
int32_t IntegerOf(const Variant& value) {
  switch (value.VType()) {
    case varInteger:
    case varSmallint:
    case varByte:
      return static_cast<int32_t>(value.RawInt());
    default:
      return value.ToInteger();
  }
}

// A number, or text holding one: with a point, or with the decimal separator of the user's
// locale, in which the language data writes numbers.
double FloatOf(const Variant& value) {
  if (value.VType() == varString || value.VType() == varOleStr) {
    const std::string text = value.ToString();
    if (const auto real = TryStrToFloat(text)) return *real;
    if (const auto real = TryStrToFloat(text, UserFormatSettings())) return *real;
  }
  return value.ToDouble();
}

std::string HexText(uint32_t value) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(value));
  return buffer;
}

}  // namespace

int32_t HexTextToInt(const std::string& text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  if (!digits.empty()) {
    if (digits.back() == 'h' || digits.back() == 'H') {
      digits.remove_suffix(1);
    } else if (digits.front() == '$') {
      digits.remove_prefix(1);
    } else if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
      digits.remove_prefix(2);
    }
  }
  const auto fail = [&text]() -> int32_t {
    throw EConvertError(Format(msg::kInvalidInteger, text.c_str()));
  };
  if (digits.empty()) return fail();
  uint64_t magnitude = 0;
  for (const char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return fail();
    magnitude = magnitude * 16 + static_cast<uint64_t>(digit);
    // Leading zeros are harmless; a value beyond 32 bits is not.
    if (magnitude > 0xFFFFFFFFull) return fail();
  }
  const uint32_t bits = static_cast<uint32_t>(magnitude);
  return static_cast<int32_t>(negative ? 0u - bits : bits);
}

const TMetaClass& TClassInfo::StaticClass() {
  static const TMetaClass meta("TClassInfo", &TObject::StaticClass(), nullptr, {});
  return meta;
}

TClassInfo::TClassInfo(TObject* object) {
  Attach(object, nullptr);
}

TClassInfo::TClassInfo(TObject* object, const TPropInfo* prop) {
  Attach(object, prop);
}

TClassInfo::~TClassInfo() {
  Clear();
}

void TClassInfo::Attach(TObject* object, const TPropInfo* prop) {
  Clear();
  if (!object) return;
  object_ = object;
  classType_ = &object->ClassType();
  if (prop) {
    // The descriptor is taken as given; its accessors check the object's class themselves.
    browse_ = false;
    current_ = prop;
    count_ = 1;
    Select(0);
    return;
  }
  browse_ = true;
  list_ = classType_->SortedProperties();
  count_ = static_cast<int32_t>(list_.size());
}

void TClassInfo::Clear() {
  list_.clear();
  list_.shrink_to_fit();
  object_ = nullptr;
  classType_ = nullptr;
  browse_ = false;
  current_ = nullptr;
  currentType_ = nullptr;
  count_ = 0;
  selected_ = -1;
  kind_ = tkUnknown;
  canRead_ = false;
  canWrite_ = false;
}

bool TClassInfo::Select(int32_t index) {
  if (index < 0 || index >= count_) Fail(".Select: Invalid Index");
  if (browse_) current_ = list_[static_cast<size_t>(index)];
  const TTypeInfo* type = current_ ? current_->PropType() : nullptr;
  selected_ = index;
  if (type) {
    currentType_ = type;
    kind_ = type->Kind;
    canRead_ = current_->Readable;
    canWrite_ = current_->Writable;
    return true;
  }
  currentType_ = nullptr;
  kind_ = tkUnknown;
  canRead_ = false;
  canWrite_ = false;
  return false;
}

const TPropInfo* TClassInfo::PropRef() const {
  CheckSelection("PropRef");
  return current_;
}

std::string TClassInfo::Name() const {
  CheckSelection("Name");
  return current_->Name;
}

std::string TClassInfo::Typ() const {
  CheckSelection("Typ");
  return currentType_->Name;
}

Variant TClassInfo::GetValue() const {
  CheckSelection("GetValue");
  CheckAccess("GetValue", false);
  const TPropInfo& prop = *current_;
  switch (kind_) {
    case tkInteger:
    case tkChar:
      return Variant(GetOrdProp(object_, prop));
    case tkEnumeration:
      return Variant(EnumToStr(*currentType_, GetOrdProp(object_, prop)));
    case tkFloat:
      return Variant(GetFloatProp(object_, prop));
    case tkString:
    case tkLString:
    case tkWString:
      return Variant(GetStrProp(object_, prop));
    case tkSet:
      return Variant(SetToStr(*currentType_, static_cast<uint32_t>(GetOrdProp(object_, prop))));
    case tkClass:
      // The ordinal of a class property is the referenced object's live-object handle.
      return Variant(HexText(static_cast<uint32_t>(GetOrdProp(object_, prop))) + "h");
    case tkMethod: {
      const TNotifyEvent event = GetMethodProp(object_, prop);
      const uint32_t code = event.Code ? event.Code->CodeHandle : 0;
      const uint32_t data = event.Data ? event.Data->Handle() : 0;
      return Variant(HexText(code) + HexText(data) + "h");
    }
    case tkVariant:
      return GetVariantProp(object_, prop);
    default:
      Fail(".GetValue: Type cannot be handled");
  }
}

void TClassInfo::SetValue(const Variant& value) {
  CheckSelection("SetValue");
  CheckAccess("SetValue", true);
  const TPropInfo& prop = *current_;
  switch (kind_) {
    case tkInteger:
    case tkChar:
      SetOrdProp(object_, prop, IntegerOf(value));
      return;
    case tkEnumeration:
      SetOrdProp(object_, prop, StrToEnum(*currentType_, value.ToString()));
      return;
    case tkFloat:
      SetFloatProp(object_, prop, FloatOf(value));
      return;
    case tkString:
    case tkLString:
    case tkWString:
      SetStrProp(object_, prop, value.ToString());
      return;
    case tkSet:
      SetOrdProp(object_, prop, static_cast<int32_t>(StrToSet(*currentType_, value.ToString())));
      return;
    case tkClass: {
      // The text names a live object by its handle; anything that is not nil or a live object
      // of the property's class is refused before the property is touched.
      const std::string text = value.ToString();
      const uint32_t handle = static_cast<uint32_t>(HexTextToInt(text));
      TObject* target = live_objects::Find(handle);
      if ((handle != 0 && !target) || !FitsObjectProp(prop, target)) {
        Fail(".SetValue: Invalid object reference '" + text + "'");
      }
      SetObjectProp(object_, prop, target);
      return;
    }
    case tkMethod: {
      const std::string text = value.ToString();
      if (text.size() != 17 || text[16] != 'h') Fail(".SetValue: Invalid method descriptor");
      const uint32_t code = static_cast<uint32_t>(HexTextToInt(text.substr(0, 8)));
      const uint32_t data = static_cast<uint32_t>(HexTextToInt(text.substr(8, 8)));
      if (code == 0 && data == 0) {
        SetMethodProp(object_, prop, TNotifyEvent{});
        return;
      }
      // A handler is a published method bound to a live object whose class has that method.
      const TMethodInfo* method = FindMethodByCode(code);
      TObject* target = live_objects::Find(data);
      if (!method || !target || !target->ClassType().FindMethod(method)) {
        Fail(".SetValue: Invalid method reference '" + text + "'");
      }
      SetMethodProp(object_, prop, TNotifyEvent{method, target});
      return;
    }
    case tkVariant:
      SetVariantProp(object_, prop, value);
      return;
    default:
      Fail(".SetValue: Type cannot be handled");
  }
}

TObject* TClassInfo::GetAsObject() const {
  CheckSelection("GetAsObject");
  CheckAccess("GetAsObject", false);
  if (kind_ != tkClass) Fail(".GetAsObject: Property is not an object reference");
  return GetObjectProp(object_, *current_);
}

void TClassInfo::CheckSelection(const char* operation) const {
  const char* text = nullptr;
  if (selected_ < 0) {
    text = "No property selected";
  } else if (!current_) {
    text = "Property information not available";
  } else if (!currentType_) {
    text = "Property type information not available";
  }
  if (text) Fail(std::string(".") + operation + ": " + text);
}

void TClassInfo::CheckAccess(const char* operation, bool write) const {
  if (write ? canWrite_ : canRead_) return;
  Fail(std::string(".") + operation + ": Method for read or write access not available");
}

void TClassInfo::Fail(const std::string& text) const {
  throw EObjectBrowseError(ClassName() + text);
}

}  // namespace wdx
