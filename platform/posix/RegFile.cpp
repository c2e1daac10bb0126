#include "platform/posix/RegFile.h"

#include <algorithm>

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtl/Utf8.h"
#include "platform/Registry.h"

namespace wdx {

namespace {

std::u16string Utf16LeToWide(const std::string& bytes, size_t from) {
  std::u16string out;
  for (size_t i = from; i + 1 < bytes.size(); i += 2) {
    out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return out;
}

// The file's text as UTF-8, whatever its encoding; a file without a byte order mark is in the
// system's code page.
std::string DecodeText(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return Utf16ToUtf8(Utf16LeToWide(bytes, 2));
  }
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  return CodePageToUtf8(bytes, kCodePageWindows1252);
}

class RegFileParser {
 public:
  RegFileParser(const std::string& bytes, const std::string& source)
      : lines_(SplitLines(DecodeText(bytes))), source_(source) {}

  std::unique_ptr<TRegKey> Parse() {
    auto root = std::make_unique<TRegKey>();
    size_t i = 0;
    while (i < lines_.size() && Trim(lines_[i]).empty()) ++i;
    const std::string header = i < lines_.size() ? Trim(lines_[i]) : "";
    if (header == "Windows Registry Editor Version 5.00") {
      unicode_ = true;
    } else if (header != "REGEDIT4") {
      Fail(std::min(i, lines_.size() - 1),
           "not a registry file (the first line must name its version)");
    }
    TRegKey* current = nullptr;
    bool inSection = false;
    for (++i; i < lines_.size(); ++i) {
      std::string line = Trim(lines_[i]);
      // Long hexadecimal values continue on the next line after a backslash.
      const size_t first = i;
      while (!line.empty() && line.back() == '\\' && i + 1 < lines_.size()) {
        line.pop_back();
        line += Trim(lines_[++i]);
      }
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        if (line.back() != ']') Fail(first, "a key name must end with ']'");
        // The registry nests keys at most 512 deep; deeper text is no export (and would make
        // the key tree deep enough to exhaust the stack when it is released).
        if (std::count(line.begin(), line.end(), '\\') > 512) {
          Fail(first, "a key nested deeper than 512 levels");
        }
        current = Section(*root, line.substr(1, line.size() - 2));
        inSection = true;
      } else if (!inSection) {
        Fail(first, "a value before the first key");
      } else {
        Value(current, line, first);
      }
    }
    return root;
  }

 private:
  static std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        start = i + 1;
      }
    }
    return lines;
  }

  [[noreturn]] void Fail(size_t line, const std::string& reason) const {
    throw ERegistryException(
        Format("%s, line %d: %s", source_.c_str(), static_cast<int>(line + 1), reason.c_str()));
  }

  // The key a section names (created as needed), or nullptr for keys of other hives and for a
  // deleted key.
  static TRegKey* Section(TRegKey& root, std::string path) {
    const bool remove = !path.empty() && path[0] == '-';
    if (remove) path.erase(0, 1);
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
      if (i == path.size() || path[i] == '\\') {
        if (i > start) parts.push_back(path.substr(start, i - start));
        start = i + 1;
      }
    }
    if (parts.empty() ||
        !(SameText(parts[0], "HKEY_LOCAL_MACHINE") || SameText(parts[0], "HKLM"))) {
      return nullptr;
    }
    TRegKey* key = &root;
    for (size_t p = 1; p < parts.size(); ++p) {
      const std::string upper = AsciiUpper(parts[p]);
      auto it = key->Subkeys.find(upper);
      if (it == key->Subkeys.end()) {
        if (remove) return nullptr;
        auto child = std::make_unique<TRegKey>();
        child->Name = parts[p];
        it = key->Subkeys.emplace(upper, std::move(child)).first;
      }
      if (remove && p + 1 == parts.size()) {
        key->Subkeys.erase(it);
        return nullptr;
      }
      key = it->second.get();
    }
    return remove ? nullptr : key;
  }

  // Reads a quoted string with \\ and \" escapes from line[pos]; pos ends after the quote.
  bool Quoted(const std::string& line, size_t& pos, std::string& text) const {
    if (pos >= line.size() || line[pos] != '"') return false;
    text.clear();
    for (++pos; pos < line.size(); ++pos) {
      if (line[pos] == '\\' && pos + 1 < line.size()) {
        text.push_back(line[++pos]);
      } else if (line[pos] == '"') {
        ++pos;
        return true;
      } else {
        text.push_back(line[pos]);
      }
    }
    return false;
  }

  void Value(TRegKey* key, const std::string& line, size_t lineNo) {
    size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
      pos = 1;
    } else if (!Quoted(line, pos, name)) {
      Fail(lineNo, "a value name must be quoted");
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos >= line.size() || line[pos] != '=') Fail(lineNo, "'=' expected after the value name");
    std::string data = Trim(line.substr(pos + 1));
    if (!key) return;  // a value of another hive or of a deleted key
    const std::string upper = AsciiUpper(name);
    if (data == "-") {
      key->Values.erase(upper);
      return;
    }
    TRegValue value;
    size_t at = 0;
    if (Quoted(data, at, value.Text) && at == data.size()) {
      value.Type = TRegType::Sz;
    } else if (data.compare(0, 6, "dword:") == 0) {
      value.Type = TRegType::Dword;
    } else if (data.compare(0, 3, "hex") == 0) {
      HexValue(data, value, lineNo);
    } else {
      Fail(lineNo, "unknown value data");
    }
    key->Values[upper] = std::move(value);
  }

  void HexValue(const std::string& data, TRegValue& value, size_t lineNo) const {
    size_t colon = data.find(':');
    if (colon == std::string::npos) Fail(lineNo, "':' expected after hex");
    int type = 3;
    if (data.compare(0, 4, "hex(") == 0) {
      const size_t close = data.find(')');
      if (close == std::string::npos || close > colon) Fail(lineNo, "')' expected");
      try {
        type = std::stoi(data.substr(4, close - 4), nullptr, 16);
      } catch (const std::exception&) {
        Fail(lineNo, "a value type in hexadecimal expected");
      }
    }
    value.Type = static_cast<TRegType>(type);
    if (type != 1 && type != 2) return;  // only string data is ever read
    std::string bytes;
    bool valid = true;
    const std::string list = data.substr(colon + 1);
    size_t start = 0;
    while (start <= list.size() && valid) {
      size_t comma = list.find(',', start);
      if (comma == std::string::npos) comma = list.size();
      const std::string item = Trim(list.substr(start, comma - start));
      if (!item.empty()) {
        valid = item.size() <= 2 &&
                item.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
        if (valid) bytes.push_back(static_cast<char>(std::stoi(item, nullptr, 16)));
      }
      start = comma + 1;
    }
    if (unicode_ && bytes.size() % 2 != 0) valid = false;
    value.Readable = valid;
    if (valid)
      value.Text = unicode_ ? Utf16ToUtf8(Utf16LeToWide(bytes, 0))
                            : CodePageToUtf8(bytes, kCodePageWindows1252);
  }

  std::vector<std::string> lines_;
  std::string source_;
  bool unicode_ = false;
};

}  // namespace

std::unique_ptr<TRegKey> ParseRegFile(const std::string& bytes, const std::string& source) {
  return RegFileParser(bytes, source).Parse();
}

const TRegKey* FindRegKey(const TRegKey& root, const std::string& path) {
  const TRegKey* key = &root;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      if (i > start) {
        const auto it = key->Subkeys.find(AsciiUpper(path.substr(start, i - start)));
        if (it == key->Subkeys.end()) return nullptr;
        key = it->second.get();
      }
      start = i + 1;
    }
  }
  return key;
}

}  // namespace wdx
