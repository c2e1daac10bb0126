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
  // The other flags of the "#," line, in order ("c-format", "no-wrap").
  std::vector<std::string> flags;
  // The translator's own "#" lines, each as it follows the "#" (usually a blank, then text).
  std::vector<std::string> translatorComments;
  // Written as "#." lines before the entry; the reader keeps them too.
  std::vector<std::string> extractedComments;
  // Where the message comes from, written as "#:" lines, one each; the reader splits such lines
  // at blanks, so a reference holds none.
  std::vector<std::string> references;
  // The context and msgid the translation was made for, given as "#|" lines when the message
  // became fuzzy because its msgid changed.
  bool hasPreviousContext = false;
  std::string previousContext;
  bool hasPreviousMsgid = false;
  std::string previousMsgid;
  // A message the template no longer has, kept as "#~" lines.
  bool obsolete = false;

  bool IsHeader() const { return !hasContext && msgid.empty() && !plural && !obsolete; }
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

// Several problems found in one run, one "file:line: reason" a line in what().
class PoErrors : public std::runtime_error {
 public:
  explicit PoErrors(std::vector<PoError> errors);
  const std::vector<PoError>& Errors() const { return errors_; }

 private:
  std::vector<PoError> errors_;
};

// Limits of the reader.
inline constexpr size_t kPoMaxFileSize = 64u << 20;
inline constexpr size_t kPoMaxLineLength = 1u << 20;
inline constexpr int kPoMaxPluralForms = 32;

// The entries of `text` in file order, obsolete ones included. Raises PoError naming
// `fileName` for a malformed file: a bad or unknown escape, a string without its quotes or with
// trailing text, a keyword the format lacks, a msgstr without msgid (or the other way round),
// misplaced plural forms, a message given twice, a NUL byte, or input beyond the limits. A
// byte order mark before the text is skipped; lines may end in CR LF.
std::vector<PoEntry> ParsePoFile(std::string_view text, const std::string& fileName);
// The same, reading on after a malformed message: each problem goes to `problems` and the
// reader takes up again at the next blank line, so that one run finds them all. The entries are
// those that parsed.
std::vector<PoEntry> ParsePoFile(std::string_view text, const std::string& fileName,
                                 std::vector<PoError>& problems);

// How a file's bytes are laid out beyond its entries, so that a rewrite keeps them.
struct PoLayout {
  bool byteOrderMark = false;
  bool crlf = false;  // lines end in CR LF
};
PoLayout PoLayoutOf(std::string_view text);

// The entries as a PO file, each preceded by an empty line except the first. Texts with
// inner line breaks are split after each break, the way gettext's own tools write them.
std::string WritePoFile(const std::vector<PoEntry>& entries, const PoLayout& layout = {});

// `text` as a quoted PO string: backslash, double quote and control characters escaped.
std::string QuotePoString(std::string_view text);

// The "Name: value" lines of a header entry's msgstr, in order, values trimmed.
std::vector<std::pair<std::string, std::string>> ParsePoHeader(std::string_view msgstr);
// The value of header field `name` (ASCII case ignored), or "" when absent.
std::string PoHeaderField(const std::vector<std::pair<std::string, std::string>>& fields,
                          std::string_view name);

}  // namespace wdx
