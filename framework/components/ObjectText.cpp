#include "framework/components/ObjectText.h"

#include <cctype>
#include <string>

#include "framework/components/Extended80.h"
#include "framework/components/Filer.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/NumberText.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

class ObjectTextCompiler {
 public:
  explicit ObjectTextCompiler(std::string_view text) : text_(text) {}

  std::vector<uint8_t> Compile() {
    out_ = {'T', 'P', 'F', '0'};
    SkipBlanks();
    Object(0);
    SkipBlanks();
    if (pos_ < text_.size()) Fail("end of text expected");
    return std::move(out_);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw EParserError(Format("Line %d: %s", line_, what.c_str()));
  }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') ++line_;
      if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        continue;
      }
      if (static_cast<unsigned char>(c) > 32) return;
      ++pos_;
    }
  }

  bool AtChar(char c) {
    SkipBlanks();
    return pos_ < text_.size() && text_[pos_] == c;
  }

  void Expect(char c) {
    if (!AtChar(c)) Fail(Format("'%c' expected", c));
    ++pos_;
  }

  static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  std::string Ident() {
    SkipBlanks();
    const size_t start = pos_;
    while (pos_ < text_.size() && IdentChar(text_[pos_])) ++pos_;
    if (start == pos_) Fail("identifier expected");
    return std::string(text_.substr(start, pos_ - start));
  }

  // A property name: identifiers joined by ".".
  std::string DottedName() {
    std::string name = Ident();
    while (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      name += "." + Ident();
    }
    return name;
  }

  bool AtKeyword(std::string_view word) {
    SkipBlanks();
    if (text_.substr(pos_, word.size()) != word) return false;
    const size_t end = pos_ + word.size();
    return end >= text_.size() || !IdentChar(text_[end]);
  }

  void Byte(uint8_t b) { out_.push_back(b); }
  void Bytes(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
  }
  void Int32(int32_t v) { AppendLittleEndian(out_, static_cast<uint32_t>(v), 4); }
  void ShortString(const std::string& s) {
    if (s.size() > 255) Fail("name longer than 255 characters");
    Byte(static_cast<uint8_t>(s.size()));
    Bytes(s.data(), s.size());
  }

  void Integer(int64_t v) {
    if (v >= -128 && v <= 127) {
      Byte(vaInt8);
      Byte(static_cast<uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
      Byte(vaInt16);
      Byte(static_cast<uint8_t>(v));
      Byte(static_cast<uint8_t>(v >> 8));
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
      Byte(vaInt32);
      Int32(static_cast<int32_t>(v));
    } else {
      Byte(vaInt64);
      AppendLittleEndian(out_, static_cast<uint64_t>(v), 8);
    }
  }

  void Object(int depth) {
    if (depth > kMaxFilerDepth) Fail("objects nested too deeply");
    uint8_t flags = 0;
    if (AtKeyword("object")) {
      pos_ += 6;
    } else if (AtKeyword("inherited")) {
      pos_ += 9;
      flags |= ffInherited;
    } else if (AtKeyword("inline")) {
      pos_ += 6;
      flags |= ffInline;
    } else {
      Fail("'object' expected");
    }
    std::string name = Ident();
    std::string className;
    if (AtChar(':')) {
      ++pos_;
      className = Ident();
    } else {
      className = name;
      name.clear();
    }
    int64_t position = -1;
    if (AtChar('[')) {
      ++pos_;
      position = Number();
      Expect(']');
      flags |= ffChildPos;
    }
    if (flags) Byte(static_cast<uint8_t>(0xF0 | flags));
    if (position >= 0) Integer(position);
    ShortString(className);
    ShortString(name);
    while (!AtKeyword("end") && !AtKeyword("object") && !AtKeyword("inherited") &&
           !AtKeyword("inline")) {
      Property(depth);
    }
    Byte(0);
    while (!AtKeyword("end")) Object(depth + 1);
    pos_ += 3;
    Byte(0);
  }

  void Property(int depth) {
    ShortString(DottedName());
    Expect('=');
    Value(depth);
  }

  int64_t Number() {
    SkipBlanks();
    const size_t start = pos_;
    if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '$')) ++pos_;
    while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    const auto value = TryStrToInt64(text_.substr(start, pos_ - start));
    if (!value) Fail("integer expected");
    return *value;
  }

  void Value(int depth) {
    if (depth > kMaxFilerDepth) Fail("values nested too deeply");
    SkipBlanks();
    if (pos_ >= text_.size()) Fail("value expected");
    const char c = text_[pos_];
    if (c == '\'' || c == '#') {
      StringValue();
    } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      NumberValue();
    } else if (c == '[') {
      SetValue();
    } else if (c == '(') {
      ++pos_;
      Byte(vaList);
      while (!AtChar(')')) Value(depth + 1);
      ++pos_;
      Byte(0);
    } else if (c == '<') {
      CollectionValue(depth);
    } else if (c == '{') {
      BinaryValue();
    } else if (IdentChar(c)) {
      IdentValue(Ident());
    } else {
      Fail("value expected");
    }
  }

  void IdentValue(const std::string& ident) {
    if (SameText(ident, "False")) {
      Byte(vaFalse);
    } else if (SameText(ident, "True")) {
      Byte(vaTrue);
    } else if (SameText(ident, "nil")) {
      Byte(vaNil);
    } else if (SameText(ident, "Null")) {
      Byte(vaNull);
    } else {
      Byte(vaIdent);
      std::string dotted = ident;
      while (pos_ < text_.size() && text_[pos_] == '.') {
        ++pos_;
        dotted += "." + Ident();
      }
      ShortString(dotted);
    }
  }

  void NumberValue() {
    const size_t start = pos_;
    size_t end = pos_;
    if (text_[end] == '-') ++end;
    bool real = false;
    while (end < text_.size()) {
      const char d = text_[end];
      if (std::isalnum(static_cast<unsigned char>(d)) || d == '$') {
        ++end;
      } else if (d == '.' ||
                 ((d == '+' || d == '-') && (text_[end - 1] == 'E' || text_[end - 1] == 'e'))) {
        real = real || d == '.';
        ++end;
      } else {
        break;
      }
    }
    const std::string_view token = text_.substr(start, end - start);
    if (!real) {
      Integer(Number());
      return;
    }
    const auto value = TryStrToFloat(token);
    if (!value) Fail("number expected");
    pos_ = end;
    Byte(vaExtended);
    const TExtended80 extended = DoubleToExtended80(*value);
    Bytes(extended.data(), extended.size());
  }

  void StringValue() {
    std::u16string text;
    bool wide = false;
    while (true) {
      SkipBlanks();
      if (pos_ < text_.size() && text_[pos_] == '\'') {
        ++pos_;
        while (true) {
          if (pos_ >= text_.size() || text_[pos_] == '\n') Fail("unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              text.push_back('\'');
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          text.push_back(static_cast<unsigned char>(text_[pos_++]));
        }
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        const int64_t code = Number();
        if (code < 0 || code > 0xFFFF) Fail("character code out of range");
        wide = wide || code > 255;
        text.push_back(static_cast<char16_t>(code));
      } else if (pos_ < text_.size() && text_[pos_] == '+') {
        ++pos_;
        continue;
      } else {
        break;
      }
      // Parts follow directly ('a'#13'b') or after "+" on the next line.
      if (pos_ < text_.size() && text_[pos_] != '\'' && text_[pos_] != '#') {
        const size_t save = pos_;
        const int saveLine = line_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '+') continue;
        pos_ = save;
        line_ = saveLine;
        break;
      }
    }
    if (wide) {
      Byte(vaWString);
      Int32(static_cast<int32_t>(text.size()));
      for (char16_t unit : text) {
        Byte(static_cast<uint8_t>(unit));
        Byte(static_cast<uint8_t>(unit >> 8));
      }
      return;
    }
    std::string bytes;
    for (char16_t unit : text) bytes.push_back(static_cast<char>(unit));
    if (bytes.size() <= 255) {
      Byte(vaString);
      ShortString(bytes);
    } else {
      Byte(vaLString);
      Int32(static_cast<int32_t>(bytes.size()));
      Bytes(bytes.data(), bytes.size());
    }
  }

  void SetValue() {
    ++pos_;
    Byte(vaSet);
    if (!AtChar(']')) {
      ShortString(Ident());
      while (AtChar(',')) {
        ++pos_;
        ShortString(Ident());
      }
    }
    Expect(']');
    Byte(0);
  }

  void CollectionValue(int depth) {
    ++pos_;
    Byte(vaCollection);
    while (AtKeyword("item")) {
      pos_ += 4;
      if (AtChar('[')) {
        ++pos_;
        Integer(Number());
        Expect(']');
      }
      Byte(vaList);
      while (!AtKeyword("end")) Property(depth + 1);
      pos_ += 3;
      Byte(0);
    }
    Expect('>');
    Byte(0);
  }

  void BinaryValue() {
    ++pos_;
    std::vector<uint8_t> bytes;
    int high = -1;
    while (true) {
      SkipBlanks();
      if (pos_ >= text_.size()) Fail("'}' expected");
      const char c = text_[pos_++];
      if (c == '}') break;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("hexadecimal digit expected");
      const int digit = std::isdigit(static_cast<unsigned char>(c))
                            ? c - '0'
                            : (std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
      if (high < 0) {
        high = digit;
      } else {
        bytes.push_back(static_cast<uint8_t>(high * 16 + digit));
        high = -1;
      }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits");
    Byte(vaBinary);
    Int32(static_cast<int32_t>(bytes.size()));
    Bytes(bytes.data(), bytes.size());
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  std::vector<uint8_t> out_;
};

}  // namespace

std::vector<uint8_t> ObjectTextToBinary(std::string_view text) {
  return ObjectTextCompiler(text).Compile();
}

}  // namespace wdx
