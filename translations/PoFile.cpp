#include "translations/PoFile.h"

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

  // Stops at the first problem unless `problems` is given.
  std::vector<PoEntry> Run(std::vector<PoError>* problems) {
    if (text_.size() > kPoMaxFileSize) Fail(1, "file larger than the reader's limit");
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
    size_t pos = 0;
    bool skipping = false;  // after a problem, up to the next blank line
    while (pos < text_.size()) {
      ++line_;
      size_t end = text_.find('\n', pos);
      if (end == std::string_view::npos) end = text_.size();
      std::string_view line = text_.substr(pos, end - pos);
      pos = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (skipping) {
        skipping = !TrimBlanks(line).empty();
        continue;
      }
      try {
        if (line.size() > kPoMaxLineLength) Fail(line_, "line longer than the reader's limit");
        if (line.find('\0') != std::string_view::npos) Fail(line_, "NUL byte");
        Line(line);
      } catch (PoError& error) {
        if (!problems) throw;
        problems->push_back(std::move(error));
        Reset();
        skipping = !TrimBlanks(line).empty();
      }
    }
    try {
      Finish();
    } catch (PoError& error) {
      if (!problems) throw;
      problems->push_back(std::move(error));
    }
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
      if (!target_ || current_.obsolete) Fail(line_, "string without a keyword");
      *target_ += ParseString(line);
      return;
    }
    Keyword(line);
  }

  void Comment(std::string_view line) {
    if (line.substr(0, 2) == "#~") return ObsoleteLine(line.substr(2));
    if (part_ == Part::kStr) Flush();
    if (part_ != Part::kNone) Fail(line_, "comment inside an entry");
    target_ = nullptr;
    const std::string_view kind = line.substr(0, 2);
    if (kind == "#,") {
      std::string_view flags = line.substr(2);
      while (!flags.empty()) {
        const size_t comma = flags.find(',');
        const std::string_view flag = TrimBlanks(flags.substr(0, comma));
        if (flag == "fuzzy") {
          pendingFuzzy_ = true;
        } else if (!flag.empty()) {
          pending_.flags.emplace_back(flag);
        }
        if (comma == std::string_view::npos) break;
        flags.remove_prefix(comma + 1);
      }
    } else if (kind == "#.") {
      std::string_view comment = line.substr(2);
      if (!comment.empty() && comment.front() == ' ') comment.remove_prefix(1);
      while (!comment.empty() && comment.back() == '\r') comment.remove_suffix(1);
      pending_.extractedComments.emplace_back(comment);
    } else if (kind == "#:") {
      std::string_view references = line.substr(2);
      while (!references.empty()) {
        size_t at = 0;
        while (at < references.size() && IsReferenceBlank(references[at])) ++at;
        size_t end = at;
        while (end < references.size() && !IsReferenceBlank(references[end])) ++end;
        if (end > at) pending_.references.emplace_back(references.substr(at, end - at));
        references.remove_prefix(end);
      }
    } else if (kind == "#|") {
      Previous(line.substr(2));
    } else {
      pending_.translatorComments.emplace_back(line.substr(1));
    }
  }

  // A "#|" line: the context or msgid a fuzzy translation was made for, or more of it.
  void Previous(std::string_view rest) {
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    std::string* into = nullptr;
    if (rest.substr(0, 8) == "msgctxt " || rest.substr(0, 8) == "msgctxt\t") {
      pending_.hasPreviousContext = true;
      into = &pending_.previousContext;
      rest.remove_prefix(7);
    } else if (rest.substr(0, 6) == "msgid " || rest.substr(0, 6) == "msgid\t") {
      pending_.hasPreviousMsgid = true;
      into = &pending_.previousMsgid;
      rest.remove_prefix(5);
    } else if (!rest.empty() && rest.front() == '"') {
      into = previous_;
    } else {
      return;  // msgid_plural and the like: nothing the reader keeps
    }
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (!into || rest.empty() || rest.front() != '"') Fail(line_, "malformed #| line");
    *into += ParseString(rest);
    previous_ = into;
  }

  // A "#~" line: part of an obsolete message, read as a message is (without nesting).
  void ObsoleteLine(std::string_view rest) {
    if (!rest.empty() && rest.front() == '|') {
      if (part_ == Part::kStr) Flush();
      if (part_ != Part::kNone) Fail(line_, "comment inside an entry");
      return Previous(rest.substr(1));
    }
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty() || rest.front() == '#') return;
    obsoleteLine_ = true;
    if (rest.front() == '"') {
      if (!target_ || !current_.obsolete) Fail(line_, "string without a keyword");
      *target_ += ParseString(rest);
    } else {
      Keyword(rest);
    }
    obsoleteLine_ = false;
  }

  void Keyword(std::string_view line) {
    if (part_ != Part::kNone && current_.obsolete != obsoleteLine_) {
      if (part_ == Part::kStr) {
        Flush();
      } else if (current_.obsolete) {
        DropObsolete();
      } else {
        Fail(line_, "obsolete and current lines in one message");
      }
    }
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
    current_ = std::move(pending_);
    current_.line = line_;
    current_.fuzzy = pendingFuzzy_;
    current_.obsolete = obsoleteLine_;
    pending_ = PoEntry();
    pendingFuzzy_ = false;
    previous_ = nullptr;
  }

  void Flush() {
    std::string key = current_.obsolete ? "~" : "";
    key += current_.hasContext ? "1" + current_.context : "0";
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

  // Forgets the message being read, to read on after a problem.
  void Reset() {
    current_ = PoEntry();
    pending_ = PoEntry();
    pendingFuzzy_ = false;
    previous_ = nullptr;
    part_ = Part::kNone;
    target_ = nullptr;
    obsoleteLine_ = false;
  }

  // An obsolete message cut short is nothing anyone acts on: it goes without a word.
  void DropObsolete() {
    current_ = PoEntry();
    part_ = Part::kNone;
    target_ = nullptr;
  }

  void Finish() {
    if (part_ == Part::kStr) return Flush();
    if (current_.obsolete) return DropObsolete();
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
  // What the comments before the next message give it.
  PoEntry pending_;
  bool pendingFuzzy_ = false;
  std::string* previous_ = nullptr;  // the "#|" field that a "#|" string continues
  bool obsoleteLine_ = false;        // the line being read is a "#~" line
  std::map<std::string, int> firstLine_;
};

// A keyword and its string, after `prefix` on every line ("#~ " for an obsolete message).
void WriteField(std::string& out, std::string_view prefix, const std::string& keyword,
                const std::string& text, bool header = false) {
  // A header is written a line of it a string, as gettext's tools write it.
  const size_t inner = text.find('\n');
  if (inner == std::string::npos || (inner + 1 == text.size() && !header)) {
    out.append(prefix).append(keyword).append(" ").append(QuotePoString(text)).append("\n");
    return;
  }
  out.append(prefix).append(keyword).append(" \"\"\n");
  size_t from = 0;
  while (from < text.size()) {
    size_t to = text.find('\n', from);
    to = to == std::string::npos ? text.size() : to + 1;
    out.append(prefix).append(QuotePoString(std::string_view(text).substr(from, to - from)));
    out += '\n';
    from = to;
  }
}

void WriteEntry(std::string& out, const PoEntry& entry) {
  for (const std::string& comment : entry.translatorComments) out += "#" + comment + "\n";
  for (const std::string& comment : entry.extractedComments) {
    size_t from = 0;
    do {
      const size_t to = std::min(comment.find('\n', from), comment.size());
      out += "#. " + comment.substr(from, to - from) + "\n";
      from = to + 1;
    } while (from < comment.size());
  }
  for (const std::string& reference : entry.references) out += "#: " + reference + "\n";
  if (entry.fuzzy || !entry.flags.empty()) {
    out += "#";
    if (entry.fuzzy) out += ", fuzzy";
    for (const std::string& flag : entry.flags) out += ", " + flag;
    out += "\n";
  }
  const std::string_view previous = entry.obsolete ? "#~| " : "#| ";
  if (entry.hasPreviousContext) WriteField(out, previous, "msgctxt", entry.previousContext);
  if (entry.hasPreviousMsgid) WriteField(out, previous, "msgid", entry.previousMsgid);
  const std::string_view prefix = entry.obsolete ? "#~ " : "";
  if (entry.hasContext) WriteField(out, prefix, "msgctxt", entry.context);
  WriteField(out, prefix, "msgid", entry.msgid);
  if (entry.plural) {
    WriteField(out, prefix, "msgid_plural", entry.msgidPlural);
    for (size_t i = 0; i < entry.msgstr.size(); ++i) {
      WriteField(out, prefix, "msgstr[" + std::to_string(i) + "]", entry.msgstr[i]);
    }
  } else {
    WriteField(out, prefix, "msgstr", entry.msgstr.empty() ? std::string() : entry.msgstr.front(),
               entry.IsHeader());
  }
}

}  // namespace

PoError::PoError(const std::string& fileName, int line, const std::string& reason)
    : std::runtime_error(fileName + ":" + std::to_string(line) + ": " + reason),
      fileName_(fileName),
      line_(line),
      reason_(reason) {}

std::vector<PoEntry> ParsePoFile(std::string_view text, const std::string& fileName) {
  return Parser(text, fileName).Run(nullptr);
}

std::vector<PoEntry> ParsePoFile(std::string_view text, const std::string& fileName,
                                 std::vector<PoError>& problems) {
  try {
    return Parser(text, fileName).Run(&problems);
  } catch (PoError& error) {  // the file as a whole is beyond the limits
    problems.push_back(std::move(error));
    return {};
  }
}

namespace {

std::string Lines(const std::vector<PoError>& errors) {
  std::string text;
  for (const PoError& error : errors)
    text += (text.empty() ? "" : "\n") + std::string(error.what());
  return text;
}

}  // namespace

PoErrors::PoErrors(std::vector<PoError> errors)
    : std::runtime_error(Lines(errors)), errors_(std::move(errors)) {}

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

PoLayout PoLayoutOf(std::string_view text) {
  PoLayout layout;
  layout.byteOrderMark = text.substr(0, 3) == "\xEF\xBB\xBF";
  const size_t lineEnd = text.find('\n');
  layout.crlf = lineEnd != std::string_view::npos && lineEnd > 0 && text[lineEnd - 1] == '\r';
  return layout;
}

std::string WritePoFile(const std::vector<PoEntry>& entries, const PoLayout& layout) {
  std::string out;
  for (const PoEntry& entry : entries) {
    if (!out.empty()) out += "\n";
    WriteEntry(out, entry);
  }
  if (layout.crlf) {
    std::string crlf;
    crlf.reserve(out.size() + out.size() / 16);
    for (const char c : out) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    out = std::move(crlf);
  }
  return layout.byteOrderMark ? "\xEF\xBB\xBF" + out : out;
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
