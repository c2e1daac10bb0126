#include "LangControl/Source/TypeTools.h"

#include <cstddef>
#include <string_view>

#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

// Identifier comparison: same length, and every character pair equal or differing
// only in the bit of value 0x20 (for letters: case-insensitive).
bool SameIdentifier(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y && (x ^ y) != 0x20) return false;
  }
  return true;
}

// Takes the next element of the set text `s` for the pass with counter `c`. Returns false when
// there is no further element; `s` keeps what is left.
bool NextSetElement(std::string& s, int64_t c, std::string& element) {
  if (c == 0) {
    if (s.empty() || s.front() != '[') {
      throw ETypeToolError("SetToStr failed. Invalid string format (1)");
    }
    s.erase(0, 1);
  }
  if (s.empty() || (s.front() == ']' && s.size() > 1)) {
    throw ETypeToolError("SetToStr failed. Invalid string format (2)");
  }
  if (s == "]") return false;
  const size_t end = s.find_first_of(",]");
  element = s.substr(0, end);
  s.erase(0, end);  // end == npos empties s
  if (element.empty() || s.empty()) {
    throw ETypeToolError("SetToStr failed. Invalid string format (3)");
  }
  if (s.front() == ',') s.erase(0, 1);
  return true;
}

}  // namespace

std::string EnumToStr(const TTypeInfo& type, int32_t ordinal) {
  if (type.Kind != tkEnumeration) throw ETypeToolError("EnumToStr failed. Not an enumeration");
  const auto& names = type.Base().NameList;
  // The list bound guards against a descriptor whose range exceeds its identifiers.
  if (ordinal < type.MinValue || ordinal > type.MaxValue || ordinal < 0 ||
      static_cast<size_t>(ordinal) >= names.size()) {
    throw ETypeToolError("EnumToStr failed. Invalid ordinal value");
  }
  return names[static_cast<size_t>(ordinal)];
}

int32_t StrToEnum(const TTypeInfo& type, const std::string& text) {
  if (type.Kind != tkEnumeration) throw ETypeToolError("StrToEnum failed. Not an enumeration");
  const TTypeInfo& base = type.Base();
  int32_t found = -1;
  if (!text.empty()) {
    for (int64_t i = 0; i <= base.MaxValue && i < static_cast<int64_t>(base.NameList.size()); ++i) {
      if (SameIdentifier(base.NameList[static_cast<size_t>(i)], text)) {
        found = static_cast<int32_t>(i);
        break;
      }
    }
  }
  if (found < 0 || found < type.MinValue || found > type.MaxValue) {
    throw ETypeToolError("StrToEnum failed. String value not found in enumeration type");
  }
  return found;
}

std::string SetToStr(const TTypeInfo& type, uint32_t value) {
  if (type.Kind != tkSet) throw ETypeToolError("StrToSet failed. Not a set");
  std::string result = "[";
  if (value != 0) {
    // A set without an element type has no enumeration to name its elements.
    if (type.CompType == nullptr) throw ETypeToolError("EnumToStr failed. Not an enumeration");
    const TTypeInfo& element = *type.CompType;
    const int64_t span = static_cast<int64_t>(element.MaxValue) - element.MinValue;
    for (int64_t k = 0; k <= span && k < 32; ++k) {
      if ((value >> k) & 1u) {
        if (result != "[") result += ',';
        result += EnumToStr(element, static_cast<int32_t>(element.MinValue + k));
      }
    }
  }
  result += ']';
  return result;
}

uint32_t StrToSet(const TTypeInfo& type, const std::string& text) {
  if (type.Kind != tkSet) throw ETypeToolError("SetToStr failed. Not an set");
  if (type.CompType == nullptr) throw ETypeToolError("StrToEnum failed. Not an enumeration");
  const TTypeInfo& element = *type.CompType;
  std::string s = Trim(text);
  uint32_t result = 0;
  const int64_t passes = static_cast<int64_t>(element.MaxValue) - element.MinValue + 1;
  // Every pass either consumes at least one character or stops, so the loop ends with the text
  // even for element types with a huge range.
  int64_t c = element.MinValue;
  std::string item;
  for (int64_t pass = 0; pass < passes; ++pass, ++c) {
    if (!NextSetElement(s, c, item)) break;
    const int32_t ordinal = StrToEnum(element, item);  // >= 0: an index into the identifiers
    result |= 1u << (static_cast<uint32_t>(ordinal) % 32u);
  }
  return result;
}

}  // namespace wdx
