// Reading and writing GNU gettext PO files: the message catalogue format translators edit.
//
// The reader is strict: it accepts the entries, comments and string escapes of the format and
// refuses anything else with the file name, the line and the reason. It works on bytes (the
// charset of the header is the caller's business), in one pass and without recursion, and
// refuses input beyond fixed limits, so that no input costs more than linear time and memory.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wdx {

// One message of a PO file. The header is the entry with an empty msgid and no context.
struct PoEntry {
  int line = 0;  // of the entry's first keyword (msgctxt, or msgid when there is none)
  bool hasContext = false;
  std::string context;
  std::string msgid;
  bool plural = false;  // msgid_plural given; `msgstr` then holds msgstr[0], msgstr[1], ...
  std::string msgidPlural;
  std::vector<std::string> msgstr;  // exactly one for a singular entry
  bool fuzzy = false;
  // Written as "#." lines before the entry; the reader keeps them too.
  std::vector<std::string> extractedComments;
  // Where the message comes from, written as "#:" lines, one each; the reader splits such lines
  // at blanks, so a reference holds none.
  std::vector<std::string> references;

  bool IsHeader() const { return !hasContext && msgid.empty() && !plural; }
};

// A PO file that does not parse or does not fit: what() is "file:line: reason".
class PoError : public std::runtime_error {
 public:
  PoError(const std::string& fileName, int line, const std::string& reason);

  const std::string& FileName() const { return fileName_; }
  int Line() const { return line_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string fileName_;
  int line_;
  std::string reason_;
};

// Limits of the reader.
inline constexpr size_t kPoMaxFileSize = 64u << 20;
inline constexpr size_t kPoMaxLineLength = 1u << 20;
inline constexpr int kPoMaxPluralForms = 32;

// The entries of `text` in file order. Raises PoError naming `fileName` for a malformed file:
// a bad or unknown escape, a string without its quotes or with trailing text, a keyword the
// format lacks, a msgstr without msgid (or the other way round), misplaced plural forms, a
// message given twice, a NUL byte, or input beyond the limits.
std::vector<PoEntry> ParsePoFile(std::string_view text, const std::string& fileName);

// The entries as a PO file, each preceded by an empty line except the first. Texts with
// inner line breaks are split after each break, the way gettext's own tools write them.
std::string WritePoFile(const std::vector<PoEntry>& entries);

// `text` as a quoted PO string: backslash, double quote and control characters escaped.
std::string QuotePoString(std::string_view text);

// The "Name: value" lines of a header entry's msgstr, in order, values trimmed.
std::vector<std::pair<std::string, std::string>> ParsePoHeader(std::string_view msgstr);
// The value of header field `name` (ASCII case ignored), or "" when absent.
std::string PoHeaderField(const std::vector<std::pair<std::string, std::string>>& fields,
                          std::string_view name);

}  // namespace wdx
