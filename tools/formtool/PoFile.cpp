#include "tools/formtool/PoFile.h"

#include <algorithm>
#include <map>

namespace wdx {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsReferenceBlank(char c) {
  return IsBlank(c) || c == '\r';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The keyword whose strings the continuation lines extend.
enum class Part { kNone, kContext, kId, kIdPlural, kStr };

class Parser {
 public:
  Parser(std::string_view text, const std::string& fileName) : text_(text), file_(fileName) {}

  std::vector<PoEntry> Run() {
    if (text_.size() > kPoMaxFileSize) Fail(1, "file larger than the reader's limit");
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    size_t pos = 0;
    while (pos < text_.size()) {
      ++line_;
      size_t end = text_.find('\n', pos);
      if (end == std::string_view::npos) end = text_.size();
      std::string_view line = text_.substr(pos, end - pos);
      pos = end + 1;
      if (line.size() > kPoMaxLineLength) Fail(line_, "line longer than the reader's limit");
      if (line.find('\0') != std::string_view::npos) Fail(line_, "NUL byte");
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      Line(line);
    }
    Finish();
    return std::move(entries_);
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& reason) const {
    throw PoError(file_, line, reason);
  }

  void Line(std::string_view line) {
    size_t at = 0;
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at == line.size()) return;  // blank lines separate entries and carry nothing
    line.remove_prefix(at);
    if (line.front() == '#') return Comment(line);
    if (line.front() == '"') {
      if (!target_) Fail(line_, "string without a keyword");
      *target_ += ParseString(line);
      return;
    }
    Keyword(line);
  }

  void Comment(std::string_view line) {
    if (part_ == Part::kStr) Flush();
    if (part_ != Part::kNone) Fail(line_, "comment inside an entry");
    target_ = nullptr;
    if (line.substr(0, 2) == "#,") {
      std::string_view flags = line.substr(2);
      while (!flags.empty()) {
        const size_t comma = flags.find(',');
        if (TrimBlanks(flags.substr(0, comma)) == "fuzzy") pendingFuzzy_ = true;
        if (comma == std::string_view::npos) break;
        flags.remove_prefix(comma + 1);
      }
    } else if (line.substr(0, 2) == "#.") {
      std::string_view comment = line.substr(2);
      if (!comment.empty() && comment.front() == ' ') comment.remove_prefix(1);
      while (!comment.empty() && comment.back() == '\r') comment.remove_suffix(1);
      pendingComments_.emplace_back(comment);
    } else if (line.substr(0, 2) == "#:") {
      std::string_view references = line.substr(2);
      while (!references.empty()) {
        size_t at = 0;
        while (at < references.size() && IsReferenceBlank(references[at])) ++at;
        size_t end = at;
        while (end < references.size() && !IsReferenceBlank(references[end])) ++end;
        if (end > at) pendingReferences_.emplace_back(references.substr(at, end - at));
        references.remove_prefix(end);
      }
    }
    // "# ", "#|" and obsolete "#~" lines carry nothing the reader keeps.
  }

  void Keyword(std::string_view line) {
    size_t end = 0;
    while (end < line.size() && ((line[end] >= 'a' && line[end] <= 'z') || line[end] == '_')) {
      ++end;
    }
    const std::string_view word = line.substr(0, end);
    int index = -1;
    if (end < line.size() && line[end] == '[') {
      size_t close = end + 1;
      index = 0;
      while (close < line.size() && line[close] >= '0' && line[close] <= '9' &&
             index <= kPoMaxPluralForms) {
        index = index * 10 + (line[close] - '0');
        ++close;
      }
      if (close == end + 1 || close >= line.size() || line[close] != ']') {
        Fail(line_, "malformed plural index");
      }
      if (word != "msgstr") Fail(line_, "plural index after " + std::string(word));
      if (index >= kPoMaxPluralForms) Fail(line_, "too many plural forms");
      end = close + 1;
    }
    if (word.empty()) Fail(line_, "unexpected text '" + std::string(line.substr(0, 20)) + "'");
    const std::string_view rest = line.substr(end);
    if (rest.empty() || !IsBlank(rest.front())) {
      if (word != "msgctxt" && word != "msgid" && word != "msgid_plural" && word != "msgstr") {
        Fail(line_,
             "unknown keyword '" + std::string(line.substr(0, std::min<size_t>(end, 40))) + "'");
      }
      Fail(line_, "missing string after " + std::string(word));
    }
    size_t quote = 0;
    while (quote < rest.size() && IsBlank(rest[quote])) ++quote;
    if (quote == rest.size() || rest[quote] != '"') {
      Fail(line_, "missing opening quote after " + std::string(word));
    }
    const std::string_view string = rest.substr(quote);

    if (word == "msgctxt") {
      if (part_ == Part::kStr) Flush();
      if (part_ == Part::kContext) Fail(line_, "msgctxt given twice");
      if (part_ != Part::kNone) Fail(line_, "msgctxt after msgid");
      Begin();
      current_.hasContext = true;
      part_ = Part::kContext;
      target_ = &current_.context;
    } else if (word == "msgid") {
      if (part_ == Part::kStr) Flush();
      if (part_ == Part::kId || part_ == Part::kIdPlural) Fail(line_, "msgid without msgstr");
      if (part_ == Part::kNone) Begin();
      part_ = Part::kId;
      target_ = &current_.msgid;
    } else if (word == "msgid_plural") {
      if (part_ != Part::kId) {
        Fail(line_,
             part_ == Part::kIdPlural ? "msgid_plural given twice" : "msgid_plural without msgid");
      }
      current_.plural = true;
      part_ = Part::kIdPlural;
      target_ = &current_.msgidPlural;
    } else if (word == "msgstr") {
      if (index < 0) {
        if (part_ == Part::kIdPlural || (part_ == Part::kStr && current_.plural)) {
          Fail(line_, "msgstr without plural index after msgid_plural");
        }
        if (part_ != Part::kId) Fail(line_, "msgstr without msgid");
      } else {
        if (part_ == Part::kId)
          Fail(line_, "msgstr[" + std::to_string(index) + "] without msgid_plural");
        if (part_ != Part::kIdPlural && !(part_ == Part::kStr && current_.plural)) {
          Fail(line_, "msgstr[" + std::to_string(index) + "] without msgid");
        }
        if (static_cast<size_t>(index) != current_.msgstr.size()) {
          Fail(line_, "msgstr[" + std::to_string(index) + "] out of order");
        }
      }
      current_.msgstr.emplace_back();
      part_ = Part::kStr;
      target_ = &current_.msgstr.back();
    } else {
      Fail(line_, "unknown keyword '" + std::string(word) + "'");
    }
    *target_ += ParseString(string);
  }

  // The text of the quoted string `s` (which starts at its opening quote).
  std::string ParseString(std::string_view s) const {
    std::string text;
    size_t i = 1;
    for (;;) {
      if (i >= s.size()) Fail(line_, "missing closing quote");
      const char c = s[i++];
      if (c == '"') break;
      if (c != '\\') {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
          Fail(line_, "control character in string");
        }
        text += c;
        continue;
      }
      if (i >= s.size()) Fail(line_, "missing closing quote");
      const char e = s[i++];
      switch (e) {
        case 'n':
          text += '\n';
          break;
        case 't':
          text += '\t';
          break;
        case 'r':
          text += '\r';
          break;
        case 'a':
          text += '\a';
          break;
        case 'b':
          text += '\b';
          break;
        case 'f':
          text += '\f';
          break;
        case 'v':
          text += '\v';
          break;
        case '\\':
          text += '\\';
          break;
        case '"':
          text += '"';
          break;
        case 'x': {
          int value = 0, digits = 0;
          while (digits < 2 && i < s.size() && HexDigit(s[i]) >= 0) {
            value = value * 16 + HexDigit(s[i++]);
            ++digits;
          }
          if (digits == 0) Fail(line_, "bad escape '\\x' without hex digits");
          if (value == 0) Fail(line_, "NUL character in string");
          text += static_cast<char>(value);
          break;
        }
        default: {
          if (e < '0' || e > '7') {
            const unsigned char shown = static_cast<unsigned char>(e);
            Fail(line_, shown >= 0x20 && shown < 0x7F ? "bad escape '\\" + std::string(1, e) + "'"
                                                      : std::string("bad escape"));
          }
          int value = e - '0', digits = 1;
          while (digits < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7') {
            value = value * 8 + (s[i++] - '0');
            ++digits;
          }
          if (value > 0xFF) Fail(line_, "bad escape: octal value above 377");
          if (value == 0) Fail(line_, "NUL character in string");
          text += static_cast<char>(value);
        }
      }
    }
    for (; i < s.size(); ++i) {
      if (!IsBlank(s[i])) Fail(line_, "text after the closing quote");
    }
    return text;
  }

  void Begin() {
    current_ = PoEntry();
    current_.line = line_;
    current_.fuzzy = pendingFuzzy_;
    current_.extractedComments = std::move(pendingComments_);
    current_.references = std::move(pendingReferences_);
    pendingFuzzy_ = false;
    pendingComments_.clear();
    pendingReferences_.clear();
  }

  void Flush() {
    std::string key = current_.hasContext ? "1" + current_.context : "0";
    key += '\x04';
    key += current_.msgid;
    const auto [at, fresh] = firstLine_.emplace(std::move(key), current_.line);
    if (!fresh) {
      Fail(current_.line, "duplicate message (first at line " + std::to_string(at->second) + ")");
    }
    entries_.push_back(std::move(current_));
    current_ = PoEntry();
    part_ = Part::kNone;
    target_ = nullptr;
  }

  void Finish() {
    if (part_ == Part::kStr) return Flush();
    if (part_ == Part::kContext) Fail(current_.line, "msgctxt without msgid");
    if (part_ != Part::kNone) Fail(current_.line, "msgid without msgstr");
  }

  std::string_view text_;
  const std::string& file_;
  int line_ = 0;
  std::vector<PoEntry> entries_;
  PoEntry current_;
  Part part_ = Part::kNone;
  std::string* target_ = nullptr;
  bool pendingFuzzy_ = false;
  std::vector<std::string> pendingComments_;
  std::vector<std::string> pendingReferences_;
  std::map<std::string, int> firstLine_;
};

void WriteField(std::string& out, const std::string& keyword, const std::string& text) {
  const size_t inner = text.find('\n');
  if (inner == std::string::npos || inner + 1 == text.size()) {
    out += keyword + " " + QuotePoString(text) + "\n";
    return;
  }
  out += keyword + " \"\"\n";
  size_t from = 0;
  while (from < text.size()) {
    size_t to = text.find('\n', from);
    to = to == std::string::npos ? text.size() : to + 1;
    out += QuotePoString(std::string_view(text).substr(from, to - from)) + "\n";
    from = to;
  }
}

}  // namespace

PoError::PoError(const std::string& fileName, int line, const std::string& reason)
    : std::runtime_error(fileName + ":" + std::to_string(line) + ": " + reason),
      fileName_(fileName),
      line_(line),
      reason_(reason) {}

std::vector<PoEntry> ParsePoFile(std::string_view text, const std::string& fileName) {
  return Parser(text, fileName).Run();
}

std::string QuotePoString(std::string_view text) {
  static const char kOctal[] = "01234567";
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\a':
        out += "\\a";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\v':
        out += "\\v";
        break;
      default: {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
          out += '\\';
          out += kOctal[(byte >> 6) & 7];
          out += kOctal[(byte >> 3) & 7];
          out += kOctal[byte & 7];
        } else {
          out += c;
        }
      }
    }
  }
  return out + "\"";
}

std::string WritePoFile(const std::vector<PoEntry>& entries) {
  std::string out;
  for (const PoEntry& entry : entries) {
    if (!out.empty()) out += "\n";
    for (const std::string& comment : entry.extractedComments) {
      size_t from = 0;
      do {
        const size_t to = std::min(comment.find('\n', from), comment.size());
        out += "#. " + comment.substr(from, to - from) + "\n";
        from = to + 1;
      } while (from < comment.size());
    }
    for (const std::string& reference : entry.references) out += "#: " + reference + "\n";
    if (entry.fuzzy) out += "#, fuzzy\n";
    if (entry.hasContext) WriteField(out, "msgctxt", entry.context);
    WriteField(out, "msgid", entry.msgid);
    if (entry.plural) {
      WriteField(out, "msgid_plural", entry.msgidPlural);
      for (size_t i = 0; i < entry.msgstr.size(); ++i) {
        WriteField(out, "msgstr[" + std::to_string(i) + "]", entry.msgstr[i]);
      }
    } else {
      WriteField(out, "msgstr", entry.msgstr.empty() ? std::string() : entry.msgstr.front());
    }
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> ParsePoHeader(std::string_view msgstr) {
  std::vector<std::pair<std::string, std::string>> fields;
  while (!msgstr.empty()) {
    const size_t end = std::min(msgstr.find('\n'), msgstr.size());
    const std::string_view line = msgstr.substr(0, end);
    msgstr.remove_prefix(std::min(end + 1, msgstr.size()));
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    fields.emplace_back(TrimBlanks(line.substr(0, colon)), TrimBlanks(line.substr(colon + 1)));
  }
  return fields;
}

std::string PoHeaderField(const std::vector<std::pair<std::string, std::string>>& fields,
                          std::string_view name) {
  for (const auto& [key, value] : fields) {
    if (SameAsciiText(key, name)) return value;
  }
  return {};
}

}  // namespace wdx
