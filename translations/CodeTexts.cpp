#include "translations/CodeTexts.h"

#include <map>
#include <optional>

#include "framework/rtl/Utf8.h"
#include "translations/CodeScanner.h"

namespace wdx {

namespace {

constexpr std::string_view kMark = "WDX_TEXT";

class Scanner : public CodeScanner {
 public:
  using CodeScanner::CodeScanner;

  std::vector<TCodeText> Run() {
    Scan();
    return std::move(found_);
  }

 private:
  void Word(std::string_view word) override {
    if (word == kMark) Mark();
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
