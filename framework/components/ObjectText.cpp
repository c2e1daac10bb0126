#include "framework/components/ObjectText.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <type_traits>

#include "framework/components/Extended80.h"
#include "framework/components/Filer.h"
#include "framework/components/FormEncoder.h"
#include "framework/components/TranslationMarks.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/NumberText.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

class ObjectTextCompiler {
 public:
  ObjectTextCompiler(std::string_view text, TFormSourceMap* map) : text_(text), map_(map) {}

  std::vector<uint8_t> Compile() {
    out_.clear();
    encoder_.Signature();
    SkipBlanks();
    Object(0);
    // Bytes that follow the root object in the stream.
    if (AtChar('{')) {
      const std::string trailing = HexLiteral();
      encoder_.Bytes(trailing.data(), trailing.size());
    }
    SkipBlanks();
    if (pos_ < text_.size()) Fail("end of text expected");
    return std::move(out_);
  }

 private:
  // At the end of the text, the last line that holds any: a final line break starts no line.
  [[noreturn]] void Fail(const std::string& what) const {
    FailAt(pos_ < text_.size() ? line_ : lastTextLine_, what);
  }
  [[noreturn]] static void FailAt(int line, const std::string& what) {
    throw EParserError(Format("Line %d: %s", line, what.c_str()));
  }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        lineStart_ = pos_ + 1;
      }
      if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
        const size_t start = pos_;
        lastTextLine_ = line_;
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        if (map_ && text_.substr(start, 3) == "//.")
          Note(text_.substr(start + 3, pos_ - start - 3));
        continue;
      }
      if (static_cast<unsigned char>(c) > 32) {
        lastTextLine_ = line_;
        return;
      }
      ++pos_;
    }
  }

  bool AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size();
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

  // A name that is no identifier, quoted as a string of 8-bit codes.
  std::optional<std::string> QuotedName() {
    if (!AtChar('\'') && !AtChar('#')) return std::nullopt;
    bool wide = false;
    const std::u16string text = StringLiteral(wide);
    if (wide) Fail("character code out of range");
    return std::string(text.begin(), text.end());
  }

  // The name of an object, a class or a set member.
  std::string Name() {
    if (auto quoted = QuotedName()) return *quoted;
    return Ident();
  }

  // A property name: identifiers joined by ".", or a quoted name.
  std::string DottedName() {
    if (auto quoted = QuotedName()) return *quoted;
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
  void ShortString(const std::string& s) {
    if (s.size() > 255) Fail("name longer than 255 characters");
    encoder_.ShortString(s);
  }

  void Object(int depth) {
    if (depth > kMaxFilerDepth) Fail("objects nested too deeply");
    uint8_t flags = 0;
    SkipBlanks();
    const size_t column = pos_ - lineStart_;
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
    // A child that stands no deeper than its indented parent suggests that the parent's 'end' is
    // missing (a source without indentation suggests nothing).
    if (!open_.empty() && open_.back().column > 0 && column <= open_.back().column) {
      NoteStray(line_);
    }
    const int objectLine = line_;
    const size_t objectOffset = out_.size();
    std::string name = Name();
    Place(objectLine, name, "");
    std::string className;
    if (AtChar(':')) {
      ++pos_;
      className = Name();
    } else {
      className = name;
      name.clear();
    }
    if (depth == 0) rootName_ = name;
    open_.push_back({name.empty() ? className : name, objectLine, column});
    const int classLine = line_;  // what follows may be on the next lines
    std::vector<uint8_t> position;
    if (AtChar('[')) {
      ++pos_;
      position = IntegerLiteral();
      Expect(']');
      flags |= ffChildPos;
    }
    bool prefix = flags != 0;
    if (AtKeyword("flags") && NextIsNumber(5)) {
      pos_ += 5;
      const int64_t given = Number();
      if (flags & (ffInherited | ffInline)) Fail("flags after 'inherited' or 'inline'");
      if (given < 0 || given > 15 || ((given & ffChildPos) != 0) != !position.empty()) {
        Fail("flags do not fit the position");
      }
      flags = static_cast<uint8_t>(given);
      prefix = true;
    }
    // Without a prefix, a length byte of 0xF0 or more would be read as one.
    if (!prefix && className.size() >= 0xF0) {
      FailAt(classLine, "class name longer than 239 characters");
    }
    if (prefix) Byte(static_cast<uint8_t>(0xF0 | flags));
    encoder_.Bytes(position.data(), position.size());
    ShortString(className);
    ShortString(name);
    notes_.clear();  // notes go with the property after them
    const std::string outer = object_;
    const size_t outerOffset = objectOffset_;
    object_ = name;
    objectOffset_ = objectOffset;
    marksLine_ = 0;
    compsLine_ = 0;
    while (!AtKeyword("end") && !AtKeyword("object") && !AtKeyword("inherited") &&
           !AtKeyword("inline")) {
      if (AtEnd()) MissingEnd();
      if (AtMark()) {
        Marks();
      } else {
        Property(depth);
      }
    }
    Byte(0);
    while (!AtKeyword("end")) {
      if (AtEnd()) MissingEnd();
      Object(depth + 1);
    }
    // An 'end' that stands less deep than its object belongs to an outer one.
    if (pos_ - lineStart_ < column) NoteStray(line_);
    object_ = outer;
    objectOffset_ = outerOffset;
    open_.pop_back();
    pos_ += 3;
    Byte(0);
  }

  // Where the indentation first suggested that the innermost open object's 'end' is missing.
  void NoteStray(int line) {
    if (stray_.line == 0) stray_ = {open_.back().name, line, open_.back().line};
  }

  // The text ended inside an object: its 'end' is missing, or, where the indentation suggests
  // one, that of an object inside it.
  [[noreturn]] void MissingEnd() {
    if (stray_.line != 0) {
      FailAt(stray_.line, Format("'end' of %s (line %d) expected before this line",
                                 stray_.name.c_str(), stray_.objectLine));
    }
    Fail(Format("'end' of %s (line %d) expected", open_.back().name.c_str(), open_.back().line));
  }

  // Whether the first character after the next `length` and the blanks on their line is `c`.
  bool Follows(size_t length, char c) const {
    size_t at = pos_ + length;
    while (at < text_.size() && (text_[at] == ' ' || text_[at] == '\t')) ++at;
    return at < text_.size() && text_[at] == c;
  }

  // "translate" followed by a name: a mark, not a property of that name.
  bool AtMark() {
    return AtKeyword("translate") && !Follows(9, '=') && !Follows(9, '.') && !Follows(9, '\n') &&
           !Follows(9, '\r') && pos_ + 9 < text_.size();
  }

  // A run of marks: the object's "LanguageManager_Comps".
  void Marks() {
    if (compsLine_ != 0) {
      Fail(
          Format("LanguageManager_Comps is given in full on line %d; mark the texts there or "
                 "here, not in both",
                 compsLine_));
    }
    if (marksLine_ != 0) {
      Fail(Format("the marks of %s stand together: those of line %d end before this one",
                  object_.c_str(), marksLine_));
    }
    marksLine_ = line_;
    TranslationMarks marks;
    while (AtMark()) {
      pos_ += 9;
      const int line = line_;
      std::string component = Name();
      if (pos_ >= text_.size() || text_[pos_] != '.') Fail("'.' and a property expected");
      ++pos_;
      std::string property = Ident();
      if (pos_ < text_.size() && text_[pos_] == '[') property += LineIndex();
      if (pos_ < text_.size() && text_[pos_] == '.') {
        Fail("a mark names a component and a property of its own: <component>.<property>");
      }
      // The form itself is "Owner" to the language data, under whatever name it has.
      if (!rootName_.empty() && SameText(component, rootName_)) component = "Owner";
      if (const int earlier = marks.Add(component, property, line)) {
        Fail(Format("%s.%s is marked on line %d already", component.c_str(), property.c_str(),
                    earlier));
      }
    }
    marks.Write(encoder_, out_,
                [this](size_t offset, int line, const std::string& property, int itemDepth) {
                  Place(line, object_, property, offset);
                  if (map_) map_->places.back().itemDepth = itemDepth;
                });
  }

  // "[<line>]" after a string list's name: the line of the list a mark translates, written as the
  // language data names it (no leading zeros).
  std::string LineIndex() {
    ++pos_;
    const size_t digits = pos_;
    long line = 0;
    while (pos_ < text_.size() && pos_ - digits < 9 &&
           std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      line = line * 10 + (text_[pos_++] - '0');
    }
    if (pos_ == digits || pos_ >= text_.size() || text_[pos_] != ']') {
      Fail("a line of a list is marked as <component>.<list>[<line>], its line a number");
    }
    ++pos_;
    return "[" + std::to_string(line) + "]";
  }

  void Property(int depth) {
    // An empty name would be the byte that ends the property list.
    const size_t offset = out_.size();
    const std::string name = DottedName();
    if (name.empty()) Fail("property name expected");
    if (itemDepth_ == 0 && SameText(name, "LanguageManager_Comps")) {
      if (marksLine_ != 0) {
        Fail(Format("LanguageManager_Comps is given by the marks of line %d already", marksLine_));
      }
      compsLine_ = line_;
    }
    if (map_) {
      Place(line_, object_, name, offset);
      map_->places.back().itemDepth = itemDepth_;
      map_->places.back().notes = std::move(notes_);
    }
    notes_.clear();
    ShortString(name);
    Expect('=');
    Value(depth);
  }

  // Records where a record starts: at the end of the stream unless `offset` is given.
  void Place(int line, const std::string& object, const std::string& property,
             size_t offset = std::string::npos) {
    if (!map_) return;
    const size_t at = offset == std::string::npos ? out_.size() : offset;
    // An object record is its own object; a property record belongs to the object being read.
    map_->places.push_back(
        {at, line, object, property, 0, {}, property.empty() ? at : objectOffset_});
  }
  void Note(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    notes_.emplace_back(text);
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
      while (!AtChar(')')) {
        const size_t element = out_.size();
        Value(depth + 1);
        // Its tag 0 would end the list.
        if (out_[element] == vaNull) Fail("Null cannot be an element of a list");
      }
      ++pos_;
      Byte(0);
    } else if (c == '<') {
      CollectionValue(depth);
    } else if (c == '{') {
      BinaryValue();
    } else if (IdentChar(c)) {
      const std::string ident = Ident();
      if (pos_ < text_.size() && text_[pos_] == '(' && TypedValue(ident)) return;
      IdentValue(ident);
    } else {
      Fail("value expected");
    }
  }

  void IdentValue(const std::string& ident) {
    if (const std::optional<TValueType> tag = SpecialIdentTag(ident)) {
      Byte(*tag);
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

  // The text of a number: an optional sign, then letters, digits, "$", "." and the sign of an
  // exponent.
  std::string_view NumberToken() {
    SkipBlanks();
    const size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    while (pos_ < text_.size()) {
      const char d = text_[pos_];
      const bool exponentSign =
          (d == '+' || d == '-') && (text_[pos_ - 1] == 'E' || text_[pos_ - 1] == 'e');
      if (!std::isalnum(static_cast<unsigned char>(d)) && d != '$' && d != '.' && !exponentSign) {
        break;
      }
      ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }

  void NumberValue() {
    const size_t start = pos_;
    const std::string_view token = NumberToken();
    if (token.find('.') == std::string_view::npos) {
      pos_ = start;
      encoder_.Integer(Number());
      return;
    }
    const auto value = TryStrToFloat(token);
    if (!value) Fail("number expected");
    encoder_.Extended(DoubleToExtended80(*value));
  }

  // A decimal float of the type `Float`, exactly as written.
  template <class Float>
  Float Decimal() {
    const std::string_view token = NumberToken();
    Float value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size()) Fail("number expected");
    return value;
  }

  // "$" and at most `digits` hexadecimal digits: the bits of a value; nullopt without "$".
  std::optional<std::string> RawBits(size_t digits) {
    if (!AtChar('$')) return std::nullopt;
    const size_t start = ++pos_;
    while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    if (pos_ == start || pos_ - start > digits) Fail("hexadecimal digits expected");
    return std::string(digits - (pos_ - start), '0') +
           std::string(text_.substr(start, pos_ - start));
  }

  static uint64_t HexValue(std::string_view digits) {
    uint64_t value = 0;
    for (char c : digits) {
      value = value << 4 | static_cast<uint64_t>(std::isdigit(static_cast<unsigned char>(c))
                                                     ? c - '0'
                                                     : std::toupper(c) - 'A' + 10);
    }
    return value;
  }

  // A 32-bit integer (a child position, an item's order), decimal or $hex, or one that names
  // its tag: its bytes with the tag.
  std::vector<uint8_t> IntegerLiteral() {
    std::vector<uint8_t> bytes;
    bytes.swap(out_);
    SkipBlanks();
    const size_t start = pos_;
    if (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) {
      const std::string ident = Ident();
      if (ident != "Int16" && ident != "Int32") Fail("integer expected");
      pos_ = start;
      Value(0);
      if (out_.empty() || (out_[0] != vaInt16 && out_[0] != vaInt32)) Fail("integer expected");
    } else {
      const int64_t value = Number();
      if (FormEncoder::IntegerTag(value) == vaInt64) Fail("integer out of range");
      encoder_.Integer(value);
    }
    bytes.swap(out_);
    return bytes;
  }

  // A value that names its tag, after the name and at its "(": false for no such name.
  bool TypedValue(const std::string& type) {
    static const std::pair<const char*, TValueType> kIntegers[] = {
        {"Int16", vaInt16}, {"Int32", vaInt32}, {"Int64", vaInt64}};
    for (const auto& [name, tag] : kIntegers) {
      if (type != name) continue;
      ++pos_;
      const int64_t value = Number();
      if (tag != vaInt64 && FormEncoder::IntegerTag(value) > tag) Fail("integer out of range");
      encoder_.TaggedInteger(tag, value);
      Expect(')');
      return true;
    }
    if (type == "LString" || type == "WString" || type == "Ident") {
      ++pos_;
      bool wide = false;
      const std::u16string text = StringLiteral(wide);
      if (type == "WString") {
        encoder_.WideString(text);
      } else {
        if (wide) Fail("character code out of range");
        const std::string bytes(text.begin(), text.end());
        if (type == "Ident") {
          Byte(vaIdent);
          ShortString(bytes);
        } else {
          encoder_.LongString(bytes);
        }
      }
    } else if (type == "Single") {
      ++pos_;
      FloatValue<float>(vaSingle);
    } else if (type == "Date") {
      ++pos_;
      FloatValue<double>(vaDate);
    } else if (type == "Extended") {
      ++pos_;
      const auto bits = RawBits(20);
      TExtended80 extended = DoubleToExtended80(bits ? 0.0 : Decimal<double>());
      if (bits) {
        PutLittleEndian(extended.data(), HexValue(bits->substr(4)), 8);
        PutLittleEndian(extended.data() + 8, HexValue(bits->substr(0, 4)), 2);
      }
      encoder_.Extended(extended);
    } else if (type == "Currency") {
      ++pos_;
      encoder_.Currency(CurrencyAmount());
    } else {
      return false;
    }
    Expect(')');
    return true;
  }

  // A float of the tag's type: its bits after "$", or a decimal.
  template <class Float>
  void FloatValue(TValueType tag) {
    using Bits = std::conditional_t<sizeof(Float) == 4, uint32_t, uint64_t>;
    const auto bits = RawBits(sizeof(Float) * 2);
    const uint64_t value = bits ? HexValue(*bits) : std::bit_cast<Bits>(Decimal<Float>());
    if (tag == vaSingle) {
      encoder_.SingleBits(static_cast<uint32_t>(value));
    } else {
      encoder_.DateBits(value);
    }
  }

  // A decimal with at most four places, as an amount times 10000, exactly.
  int64_t CurrencyAmount() {
    const std::string_view token = NumberToken();
    const bool negative = !token.empty() && token[0] == '-';
    const size_t point = token.find('.');
    const std::string_view whole = token.substr(negative ? 1 : 0, point - (negative ? 1 : 0));
    std::string places(point == std::string_view::npos ? "" : token.substr(point + 1));
    if (whole.empty() || places.size() > 4) Fail("currency amount expected");
    places.resize(4, '0');
    uint64_t amount = 0;
    for (char c : std::string(whole) + places) {
      if (!std::isdigit(static_cast<unsigned char>(c)) || amount > (UINT64_MAX - 9) / 10) {
        Fail("currency amount expected");
      }
      amount = amount * 10 + static_cast<uint64_t>(c - '0');
    }
    if (amount > uint64_t{INT64_MAX} + (negative ? 1 : 0)) Fail("currency amount out of range");
    return static_cast<int64_t>(negative ? 0 - amount : amount);
  }

  void StringValue() {
    bool wide = false;
    const std::u16string text = StringLiteral(wide);
    if (wide) {
      encoder_.WideString(text);
      return;
    }
    std::string bytes;
    for (char16_t unit : text) bytes.push_back(static_cast<char>(unit));
    encoder_.String(bytes);
  }

  // Quoted runs and #n codes, joined directly or by "+"; `wide` tells whether a code is above
  // 255.
  std::u16string StringLiteral(bool& wide) {
    std::u16string text;
    wide = false;
    SkipBlanks();
    if (pos_ >= text_.size() || (text_[pos_] != '\'' && text_[pos_] != '#')) {
      Fail("string expected");
    }
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
        const size_t saveLineStart = lineStart_;
        const int saveTextLine = lastTextLine_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '+') continue;
        pos_ = save;
        line_ = saveLine;
        lineStart_ = saveLineStart;
        lastTextLine_ = saveTextLine;
        break;
      }
    }
    return text;
  }

  // Whether the text after the next `length` characters starts with a number.
  bool NextIsNumber(size_t length) {
    size_t at = pos_ + length;
    while (at < text_.size() && (text_[at] == ' ' || text_[at] == '\t')) ++at;
    return at < text_.size() &&
           (std::isdigit(static_cast<unsigned char>(text_[at])) || text_[at] == '$');
  }

  void SetValue() {
    ++pos_;
    Byte(vaSet);
    if (!AtChar(']')) {
      SetMember();
      while (AtChar(',')) {
        ++pos_;
        SetMember();
      }
    }
    Expect(']');
    Byte(0);
  }

  void SetMember() {
    // An empty name would be the byte that ends the set.
    const std::string name = Name();
    if (name.empty()) Fail("set member expected");
    ShortString(name);
  }

  void CollectionValue(int depth) {
    ++pos_;
    Byte(vaCollection);
    while (AtKeyword("item")) {
      const int itemLine = line_;
      pos_ += 4;
      if (AtChar('[')) {
        ++pos_;
        const std::vector<uint8_t> order = IntegerLiteral();
        encoder_.Bytes(order.data(), order.size());
        Expect(']');
      }
      Byte(vaList);
      ++itemDepth_;
      while (!AtKeyword("end")) {
        // The next item, the end of the collection or of the text: this item's 'end' is missing.
        if (AtEnd() || AtChar('>') || (AtKeyword("item") && !Follows(4, '='))) {
          Fail(Format("'end' of the item of line %d expected", itemLine));
        }
        Property(depth + 1);
      }
      --itemDepth_;
      pos_ += 3;
      Byte(0);
    }
    Expect('>');
    Byte(0);
  }

  void BinaryValue() {
    const std::string bytes = HexLiteral();
    encoder_.Binary(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  }

  // "{", pairs of hexadecimal digits (blanks between them), "}".
  std::string HexLiteral() {
    Expect('{');
    std::string bytes;
    int high = -1;
    while (true) {
      SkipBlanks();
      if (pos_ >= text_.size()) Fail("'}' expected");
      const char c = text_[pos_++];
      if (c == '}') break;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("hexadecimal digit expected");
      const int digit = static_cast<int>(HexValue(std::string_view(&c, 1)));
      if (high < 0) {
        high = digit;
      } else {
        bytes.push_back(static_cast<char>(high * 16 + digit));
        high = -1;
      }
    }
    if (high >= 0) Fail("odd number of hexadecimal digits");
    return bytes;
  }

  std::string_view text_;
  TFormSourceMap* map_;
  size_t pos_ = 0;
  int line_ = 1;
  std::vector<uint8_t> out_;
  FormEncoder encoder_{out_};
  std::string object_;       // the name of the object whose properties are read
  size_t objectOffset_ = 0;  // where its record begins
  std::string rootName_;
  size_t lineStart_ = 0;  // where the current line begins
  int lastTextLine_ = 1;  // the line of the last text read
  struct Open {
    std::string name;  // or the class name of an object without one
    int line;
    size_t column;
  };
  std::vector<Open> open_;  // the objects whose 'end' has not come yet, outermost first
  struct Stray {
    std::string name;
    int line = 0;  // 0: none seen
    int objectLine = 0;
  } stray_;
  int marksLine_ = 0;  // of the current object's marks, when it has any
  int compsLine_ = 0;  // of its LanguageManager_Comps given in full, when it has one
  int itemDepth_ = 0;
  std::vector<std::string> notes_;  // "//." lines since the last record
};

}  // namespace

std::string TFormSourceMap::Key(std::string_view object, std::string_view property) {
  return AsciiUpper(std::string(object)) + '\x01' + AsciiUpper(std::string(property));
}

void TFormSourceMap::Index() {
  index_.clear();
  for (size_t i = 0; i < places.size(); ++i) {
    if (places[i].itemDepth == 0) index_.emplace(Key(places[i].object, places[i].property), i);
  }
}

const TFormSourceMap::TPlace* TFormSourceMap::FindObject(std::string_view object) const {
  return FindProperty(object, "");
}

const TFormSourceMap::TPlace* TFormSourceMap::FindProperty(std::string_view object,
                                                           std::string_view property) const {
  const auto found = index_.find(Key(object, property));
  return found == index_.end() ? nullptr : &places[found->second];
}

const TFormSourceMap::TPlace* TFormSourceMap::At(size_t offset) const {
  const auto found =
      std::lower_bound(places.begin(), places.end(), offset,
                       [](const TPlace& place, size_t at) { return place.offset < at; });
  return found != places.end() && found->offset == offset ? &*found : nullptr;
}

std::vector<uint8_t> ObjectTextToBinary(std::string_view text, TFormSourceMap* map) {
  if (map) map->places.clear();
  std::vector<uint8_t> stream = ObjectTextCompiler(text, map).Compile();
  if (map) map->Index();
  return stream;
}

}  // namespace wdx
