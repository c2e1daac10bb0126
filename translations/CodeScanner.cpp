#include "translations/CodeScanner.h"

#include <cctype>

#include "framework/rtl/Utf8.h"

namespace wdx {

namespace {

bool IdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void CodeScanner::Scan() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (SkipComment() || SkipLiteral()) continue;
    if (c == '\n') ++line_;
    if (c == '#' && LineStartsDefine()) {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      continue;
    }
    if (IdentifierChar(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() && IdentifierChar(text_[pos_])) ++pos_;
      const std::string_view word = text_.substr(start, pos_ - start);
      if (pos_ < text_.size() && text_[pos_] == '"' && IsLiteralPrefix(word)) {
        if (word.back() == 'R') --pos_;  // a raw literal starts at its R
        std::string ignored;
        Literal(ignored);
      } else {
        Word(word);
      }
      continue;
    }
    ++pos_;
  }
}

void CodeScanner::Problem(int line, const std::string& what) {
  problems_.push_back(file_ + ":" + std::to_string(line) + ": " + what);
}

bool CodeScanner::LineStartsDefine() {
  size_t at = pos_ + 1;
  while (at < text_.size() && (text_[at] == ' ' || text_[at] == '\t')) ++at;
  return text_.substr(at, 6) == "define";
}

bool CodeScanner::SkipComment() {
  if (text_.substr(pos_, 2) == "//") {
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (text_.substr(start, 3) == "//.") Note(text_.substr(start + 3, pos_ - start - 3));
    return true;
  }
  if (text_.substr(pos_, 2) == "/*") {
    const size_t end = text_.find("*/", pos_ + 2);
    const size_t stop = end == std::string_view::npos ? text_.size() : end + 2;
    for (size_t at = pos_; at < stop; ++at) line_ += text_[at] == '\n';
    pos_ = stop;
    return true;
  }
  return false;
}

void CodeScanner::Note(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  notes_[line_] = std::string(text);
}

bool CodeScanner::IsLiteralPrefix(std::string_view word) {
  for (const std::string_view prefix : {"u8", "L", "u", "U", "R", "u8R", "LR", "uR", "UR"}) {
    if (word == prefix) return true;
  }
  return false;
}

bool CodeScanner::SkipLiteral() {
  const char c = text_[pos_];
  if (c != '"' && c != '\'') return false;
  if (c == '\'' && pos_ > 0 && IdentifierChar(text_[pos_ - 1])) return false;
  std::string ignored;
  Literal(ignored);
  return true;
}

bool CodeScanner::Literal(std::string& out) {
  if (text_[pos_] == 'R') {
    const size_t open = text_.find('(', pos_ + 2);
    if (open == std::string_view::npos) return Unended();
    const std::string end = ")" + std::string(text_.substr(pos_ + 2, open - pos_ - 2)) + "\"";
    const size_t close = text_.find(end, open + 1);
    if (close == std::string_view::npos) return Unended();
    out += text_.substr(open + 1, close - open - 1);
    for (size_t at = pos_; at < close; ++at) line_ += text_[at] == '\n';
    pos_ = close + end.size();
    return true;
  }
  const char quote = text_[pos_++];
  while (pos_ < text_.size() && text_[pos_] != quote) {
    if (text_[pos_] == '\n') return Unended();
    if (text_[pos_] != '\\') {
      out += text_[pos_++];
      continue;
    }
    if (++pos_ >= text_.size()) return Unended();
    Escape(out);
  }
  if (pos_ >= text_.size()) return Unended();
  ++pos_;
  return true;
}

bool CodeScanner::Unended() {
  while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
  return false;
}

void CodeScanner::Escape(std::string& out) {
  const char e = text_[pos_++];
  switch (e) {
    case 'n':
      out += '\n';
      return;
    case 't':
      out += '\t';
      return;
    case 'r':
      out += '\r';
      return;
    case 'a':
      out += '\a';
      return;
    case 'b':
      out += '\b';
      return;
    case 'f':
      out += '\f';
      return;
    case 'v':
      out += '\v';
      return;
    case 'x': {
      unsigned value = 0;
      while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
        value = (value << 4 | static_cast<unsigned>(HexValue(text_[pos_++]))) & 0xFF;
      }
      out += static_cast<char>(value);
      return;
    }
    case 'u':
    case 'U': {
      char32_t code = 0;
      for (int i = 0; i < (e == 'u' ? 4 : 8) && pos_ < text_.size(); ++i) {
        const int digit = HexValue(text_[pos_]);
        if (digit < 0) break;
        code = code << 4 | static_cast<char32_t>(digit);
        ++pos_;
      }
      AppendUtf8(out, code);
      return;
    }
    default:
      if (e >= '0' && e <= '7') {
        unsigned value = static_cast<unsigned>(e - '0');
        for (int i = 0; i < 2 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7';
             ++i) {
          value = value * 8 + static_cast<unsigned>(text_[pos_++] - '0');
        }
        out += static_cast<char>(value & 0xFF);
        return;
      }
      out += e;  // \\ \" \' \?
  }
}

void CodeScanner::SkipSpace() {
  while (pos_ < text_.size()) {
    if (SkipComment()) continue;
    const char c = text_[pos_];
    if (c == '\n') ++line_;
    if (!std::isspace(static_cast<unsigned char>(c))) return;
    ++pos_;
  }
}

std::optional<std::string> CodeScanner::Literals() {
  std::string text;
  bool any = false;
  for (;;) {
    SkipSpace();
    if (text_.substr(pos_, 3) == "u8\"" || text_.substr(pos_, 4) == "u8R\"") pos_ += 2;
    if (pos_ >= text_.size() || (text_[pos_] != '"' && text_.substr(pos_, 2) != "R\"")) break;
    if (!Literal(text)) return std::nullopt;
    any = true;
  }
  if (!any) return std::nullopt;
  return text;
}

std::string CodeScanner::Name() {
  std::string name;
  for (;;) {
    SkipSpace();
    const size_t start = pos_;
    while (pos_ < text_.size() && IdentifierChar(text_[pos_])) ++pos_;
    if (start == pos_) return name;
    name = std::string(text_.substr(start, pos_ - start));
    SkipSpace();
    if (text_.substr(pos_, 2) != "::") return name;
    pos_ += 2;
  }
}

bool CodeScanner::Take(char c) {
  SkipSpace();
  if (pos_ >= text_.size() || text_[pos_] != c) return false;
  ++pos_;
  return true;
}

}  // namespace wdx
