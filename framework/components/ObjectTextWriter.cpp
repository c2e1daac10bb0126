// The form source of a binary stream: the decoded records spelt so that the compiler gives back
// every byte, the plain spelling wherever the compiler would choose the same encoding.
#include <bit>
#include <charconv>
#include <cmath>

#include "framework/components/FormStreamDecoder.h"
#include "framework/components/ObjectText.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/NumberText.h"

namespace wdx {

namespace {

std::string Indent(int depth) {
  return std::string(static_cast<size_t>(depth) * 2, ' ');
}

[[noreturn]] void Unspellable(const std::string& what) {
  throw Exception(what + " cannot be written as form source");
}

bool IdentChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Letters, digits and underscores, as the compiler reads a name.
bool IsName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (!IdentChar(c)) return false;
  }
  return true;
}

// Names joined by dots.
bool IsDottedName(std::string_view name) {
  for (size_t start = 0;;) {
    const size_t dot = name.find('.', start);
    if (!IsName(name.substr(start, dot - start))) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

// A name as the compiler reads it: plain when it is an identifier, else quoted.
std::string NameText(const std::string& name) {
  return IsName(name) ? name : QuoteObjectText(name);
}

// A property name: plain when the compiler reads it as such, not as a keyword.
std::string PropertyName(const std::string& name) {
  const std::string first = name.substr(0, name.find('.'));
  const bool keyword =
      first == "end" || first == "object" || first == "inherited" || first == "inline";
  return IsDottedName(name) && !keyword ? name : QuoteObjectText(name);
}

// An identifier value the compiler reads back as one: it starts with a letter, its first part
// is none of the names that have tags of their own, and nothing in it needs quoting.
bool IsPlainIdent(const std::string& ident) {
  if (ident.empty() || !IsDottedName(ident) || (ident[0] >= '0' && ident[0] <= '9')) return false;
  return !SpecialIdentTag(std::string_view(ident).substr(0, ident.find('.')));
}

// The shortest decimal that reads back as `value`, with a point, as the compiler wants a float.
template <class Float>
std::string Decimal(Float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find('.') == std::string::npos) {
    const size_t e = text.find('e');
    text.insert(e == std::string::npos ? text.size() : e, ".0");
  }
  return text;
}

std::string Hex(uint64_t bits, int digits) {
  std::string text;
  for (int i = digits - 1; i >= 0; --i) text += "0123456789ABCDEF"[(bits >> (4 * i)) & 0xF];
  return text;
}

// An integer value, naming its tag when the smallest one for its value is another.
std::string IntegerText(const FormValue& value) {
  const int64_t v = value.integer;
  const std::string digits = IntToStr(v);
  switch (value.Tag()) {
    case vaInt16:
      return v >= -128 && v <= 127 ? "Int16(" + digits + ")" : digits;
    case vaInt32:
      return v >= -32768 && v <= 32767 ? "Int32(" + digits + ")" : digits;
    case vaInt64:
      return v >= INT32_MIN && v <= INT32_MAX ? "Int64(" + digits + ")" : digits;
    default:
      return digits;
  }
}

std::string ExtendedText(const TExtended80& bytes) {
  const double value = Extended80ToDouble(bytes);
  if (std::isfinite(value) && DoubleToExtended80(value) == bytes) return Decimal(value);
  const uint64_t high = uint64_t{bytes[9]} << 8 | bytes[8];
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = mantissa << 8 | bytes[static_cast<size_t>(i)];
  return "Extended($" + Hex(high, 4) + Hex(mantissa, 16) + ")";
}

std::string BinaryText(const std::string& bytes, int depth) {
  std::string text = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) text += "\n" + Indent(depth + 1);
    text += Format("%02X", static_cast<unsigned char>(bytes[i]));
  }
  return text + "}";
}

std::string ValueText(const FormValue& value, int depth);

std::string CollectionText(const FormValue& value, int depth) {
  std::string text = "<";
  for (const FormItem& item : value.items) {
    text += "\n" + Indent(depth + 1) + "item";
    if (!item.order.empty()) text += " [" + IntegerText(item.order.front()) + "]";
    text += "\n";
    for (const FormProperty& property : item.properties) {
      text += Indent(depth + 2) + PropertyName(property.name) + " = " +
              ValueText(property.value, depth + 2) + "\n";
    }
    text += Indent(depth + 1) + "end";
  }
  return text + ">";
}

// A value as it appears after "name = " on a line indented `depth` times; its nested parts take
// lines of their own, indented further.
std::string ValueText(const FormValue& value, int depth) {
  if (value.tagByte > vaInt64) Unspellable(Format("The tag byte %02X", value.tagByte));
  switch (value.Tag()) {
    case vaNull:
    case vaNil:
    case vaFalse:
    case vaTrue:
      return SpecialIdentName(value.Tag());
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return IntegerText(value);
    case vaExtended:
      return ExtendedText(value.extended);
    case vaSingle: {
      const float single = std::bit_cast<float>(static_cast<uint32_t>(value.bits));
      return "Single(" + (std::isfinite(single) ? Decimal(single) : "$" + Hex(value.bits, 8)) + ")";
    }
    case vaDate: {
      const double date = std::bit_cast<double>(value.bits);
      return "Date(" + (std::isfinite(date) ? Decimal(date) : "$" + Hex(value.bits, 16)) + ")";
    }
    case vaCurrency:
      return "Currency(" + CurrToStr(value.integer) + ")";
    case vaString:
      return QuoteObjectText(value.bytes);
    case vaLString:
      return value.bytes.size() > 255 ? QuoteObjectText(value.bytes)
                                      : "LString(" + QuoteObjectText(value.bytes) + ")";
    case vaWString: {
      for (char16_t unit : value.wide) {
        if (unit > 255) return QuoteObjectText(value.wide);
      }
      return "WString(" + QuoteObjectText(value.wide) + ")";
    }
    case vaIdent:
      return IsPlainIdent(value.bytes) ? value.bytes
                                       : "Ident(" + QuoteObjectText(value.bytes) + ")";
    case vaBinary:
      return BinaryText(value.bytes, depth);
    case vaSet: {
      std::string text;
      for (const std::string& member : value.members) {
        text += (text.empty() ? "" : ", ") + NameText(member);
      }
      return "[" + text + "]";
    }
    case vaList: {
      std::string text = "(";
      for (const FormValue& element : value.list) {
        text += "\n" + Indent(depth + 1) + ValueText(element, depth + 1);
      }
      return text + ")";
    }
    case vaCollection:
      return CollectionText(value, depth);
    default:
      Unspellable(Format("The tag %u", value.Tag()));
  }
}

class SourceWriter : public FormStreamVisitor {
 public:
  explicit SourceWriter(std::string& out) : out_(out) {}

  void BeginObject(const FormObjectHeader& header, int depth) override {
    const unsigned flags = header.prefix & 0x0F;
    // The keywords and the position spell the flags 1 to 4 and 6; any other prefix is given as
    // it is.
    const bool spelt =
        header.hasPrefix && (flags == 1 || flags == 2 || flags == 3 || flags == 4 || flags == 6);
    std::string line = Indent(depth);
    line += spelt && (flags & ffInherited) ? "inherited "
            : spelt && (flags & ffInline)  ? "inline "
                                           : "object ";
    line += header.name.empty() ? NameText(header.className)
                                : NameText(header.name) + ": " + NameText(header.className);
    if (!header.position.empty()) {
      const uint8_t tag = header.position.front().tagByte;
      if (tag != vaInt8 && tag != vaInt16 && tag != vaInt32) {
        Unspellable("A child position that is no integer");
      }
      line += " [" + IntegerText(header.position.front()) + "]";
    }
    if (header.hasPrefix && !spelt) line += Format(" flags %u", flags);
    out_ += line + "\n";
  }
  void Property(const FormProperty& property, int depth, size_t, size_t) override {
    out_ += Indent(depth + 1) + PropertyName(property.name) + " = " +
            ValueText(property.value, depth + 1) + "\n";
  }
  void EndObject(int depth) override { out_ += Indent(depth) + "end\n"; }

 private:
  std::string& out_;
};

}  // namespace

std::string QuoteObjectText(std::u16string_view text) {
  std::string out;
  bool open = false;
  for (char16_t c : text) {
    if (c >= 32 && c < 127) {
      if (!open) out += '\'';
      open = true;
      if (c == '\'') out += '\'';
      out += static_cast<char>(c);
    } else {
      if (open) out += '\'';
      open = false;
      out += "#" + std::to_string(c);
    }
  }
  if (open) out += '\'';
  return out.empty() ? "''" : out;
}

std::string QuoteObjectText(std::string_view bytes) {
  std::u16string text;
  for (const char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
  return QuoteObjectText(text);
}

std::string ObjectBinaryToText(const std::vector<uint8_t>& bytes) {
  std::string text;
  SourceWriter writer(text);
  FormStreamDecoder decoder(bytes);
  decoder.Walk(writer);
  if (decoder.Position() < bytes.size()) {
    text += "// The bytes that follow the root object in the stream:\n" +
            BinaryText(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(decoder.Position()),
                                   bytes.end()),
                       -1) +
            "\n";
  }
  return text;
}

}  // namespace wdx
