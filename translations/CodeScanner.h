// A pass over C++ source that finds the marks the build reads from a program's code (texts,
// classes): every identifier of its code is handed to the scanner's Word, comments, string and
// character literals and #define lines passed over, the lines counted, and the notes for
// translators written as "//." comment lines kept by their line. Problems read
// "<file>:<line>: <what>".
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wdx {

class CodeScanner {
 public:
  CodeScanner(std::string_view text, const std::string& file, std::vector<std::string>& problems)
      : text_(text), file_(file), problems_(problems) {}
  virtual ~CodeScanner() = default;
  CodeScanner(const CodeScanner&) = delete;
  CodeScanner& operator=(const CodeScanner&) = delete;

 protected:
  // Hands Word every identifier of the code, pos_ just after it.
  void Scan();
  virtual void Word(std::string_view word) = 0;

  void Problem(int line, const std::string& what);
  // Passes over blanks and comments.
  void SkipSpace();
  // One or more adjacent string literals (with an optional u8 prefix); nothing when there is
  // none at pos_.
  std::optional<std::string> Literals();
  // The identifier at pos_ after blanks, with the "::" that qualify it ("wdx::TButton" gives
  // TButton), or "" when there is none.
  std::string Name();
  // Takes `c` after blanks; false, having taken nothing else, when another character follows.
  bool Take(char c);

  std::string_view text_;
  const std::string& file_;
  std::vector<std::string>& problems_;
  size_t pos_ = 0;
  int line_ = 1;
  std::map<int, std::string> notes_;  // "//." lines by line

 private:
  // A "#define" at the start of the current line (a mark's own definition).
  bool LineStartsDefine();
  bool SkipComment();
  void Note(std::string_view text);
  static bool IsLiteralPrefix(std::string_view word);
  // A string or character literal outside a mark: passed over. A quote just after a digit or a
  // letter separates digits (1'000).
  bool SkipLiteral();
  // Reads the literal at pos_ ("...", '...', or a raw one), its text into `out`; false when it
  // does not end on its line.
  bool Literal(std::string& out);
  bool Unended();
  void Escape(std::string& out);
};

}  // namespace wdx
