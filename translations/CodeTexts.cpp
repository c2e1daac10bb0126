#include "translations/CodeTexts.h"

#include <cctype>
#include <map>
#include <optional>

#include "framework/rtl/Utf8.h"

namespace wdx {

namespace {

constexpr std::string_view kMark = "WDX_TEXT";

bool IdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Scanner {
 public:
  Scanner(std::string_view text, const std::string& file, std::vector<std::string>& problems)
      : text_(text), file_(file), problems_(problems) {}

  std::vector<TCodeText> Run() {
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
        } else if (word == kMark) {
          Mark();
        }
        continue;
      }
      ++pos_;
    }
    return std::move(found_);
  }

 private:
  void Problem(int line, const std::string& what) {
    problems_.push_back(file_ + ":" + std::to_string(line) + ": " + what);
  }

  // A "#define" at the start of the current line (the mark's own definition).
  bool LineStartsDefine() {
    size_t at = pos_ + 1;
    while (at < text_.size() && (text_[at] == ' ' || text_[at] == '\t')) ++at;
    return text_.substr(at, 6) == "define";
  }

  bool SkipComment() {
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

  void Note(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    notes_[line_] = std::string(text);
  }

  static bool IsLiteralPrefix(std::string_view word) {
    for (const std::string_view prefix : {"u8", "L", "u", "U", "R", "u8R", "LR", "uR", "UR"}) {
      if (word == prefix) return true;
    }
    return false;
  }

  // A string or character literal not in a mark: passed over. A quote just after a digit or a
  // letter separates digits (1'000).
  bool SkipLiteral() {
    const char c = text_[pos_];
    if (c != '"' && c != '\'') return false;
    if (c == '\'' && pos_ > 0 && IdentifierChar(text_[pos_ - 1])) return false;
    std::string ignored;
    Literal(ignored);
    return true;
  }

  // Reads the literal at pos_ ("...", '...', or a raw one), its text into `out`; false when it
  // does not end on its line.
  bool Literal(std::string& out) {
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

  bool Unended() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    return false;
  }

  void Escape(std::string& out) {
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

  void SkipSpace() {
    while (pos_ < text_.size()) {
      if (SkipComment()) continue;
      const char c = text_[pos_];
      if (c == '\n') ++line_;
      if (!std::isspace(static_cast<unsigned char>(c))) return;
      ++pos_;
    }
  }

  // One or more adjacent string literals (with an optional u8 prefix); nothing when there is
  // none at pos_.
  std::optional<std::string> Literals() {
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

  void Mark() {
    const int line = line_;
    SkipSpace();
    if (pos_ >= text_.size() || text_[pos_] != '(') return;  // the name alone, not a mark
    ++pos_;
    std::optional<std::string> name = Literals();
    SkipSpace();
    const bool comma = pos_ < text_.size() && text_[pos_] == ',';
    if (comma) ++pos_;
    std::optional<std::string> english = comma ? Literals() : std::nullopt;
    SkipSpace();
    if (!name || !english || pos_ >= text_.size() || text_[pos_] != ')') {
      return Problem(line, "WDX_TEXT takes a name and an English text, both string literals");
    }
    ++pos_;
    if (name->empty() || name->find_first_of("=\r\n") != std::string::npos) {
      return Problem(line,
                     "the name of a text holds neither '=' nor a line break, and is not empty");
    }
    if (!IsValidUtf8(*english)) return Problem(line, "the English text is not UTF-8");
    TCodeText text{std::move(*name), std::move(*english), file_, line, {}};
    for (int above = line - 1; notes_.count(above); --above) {
      text.Notes.insert(text.Notes.begin(), notes_[above]);
    }
    found_.push_back(std::move(text));
  }

  std::string_view text_;
  const std::string& file_;
  std::vector<std::string>& problems_;
  size_t pos_ = 0;
  int line_ = 1;
  std::map<int, std::string> notes_;  // "//." lines by line
  std::vector<TCodeText> found_;
};

}  // namespace

std::vector<TCodeText> FindCodeTexts(std::string_view source, const std::string& file,
                                     std::vector<std::string>& problems) {
  return Scanner(source, file, problems).Run();
}

std::vector<TCodeText> CollectCodeTexts(
    const std::vector<std::pair<std::string, std::string>>& files,
    std::vector<std::string>& problems) {
  std::vector<TCodeText> texts;
  std::map<std::string, size_t> byName;
  for (const auto& [file, source] : files) {
    for (TCodeText& text : FindCodeTexts(source, file, problems)) {
      const auto [at, fresh] = byName.emplace(text.Name, texts.size());
      if (fresh) {
        texts.push_back(std::move(text));
      } else if (texts[at->second].English != text.English) {
        problems.push_back(file + ":" + std::to_string(text.Line) + ": the text '" + text.Name +
                           "' is marked with another English text at " + texts[at->second].File +
                           ":" + std::to_string(texts[at->second].Line));
      }
    }
  }
  return texts;
}

}  // namespace wdx
