// The texts a program's code marks with WDX_TEXT (framework/rtl/Texts.h), found in its C++ source
// files the way the build finds them: both arguments string literals (adjacent ones joined, with
// their escapes), the line of the mark, and the notes for translators written as "//." comment
// lines just above it. Comments, other string and character literals and the macro's own
// definition are passed over.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wdx {

struct TCodeText {
  std::string Name;
  std::string English;  // UTF-8
  std::string File;     // as given
  int Line = 0;
  std::vector<std::string> Notes;
};

// Every mark of `source` in order. A mark whose arguments are not two string literals, or whose
// name is empty or holds "=" or a line break, is a problem, "<file>:<line>: <what>", added to
// `problems`.
std::vector<TCodeText> FindCodeTexts(std::string_view source, const std::string& file,
                                     std::vector<std::string>& problems);

// The marks of several files, each name once: a name marked again with the same English text is
// the same text; with another, a problem.
std::vector<TCodeText> CollectCodeTexts(
    const std::vector<std::pair<std::string, std::string>>& files,
    std::vector<std::string>& problems);

}  // namespace wdx
