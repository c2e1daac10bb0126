#include "tools/formc/ProgramTexts.h"

#include <filesystem>
#include <stdexcept>

#include "tools/formc/Files.h"
#include "translations/TextTranslations.h"

namespace formc {

namespace fs = std::filesystem;

std::vector<wdx::TOtherText> TProgramTexts::All() const {
  std::vector<wdx::TOtherText> all;
  for (const wdx::TCodeText& text : Code) all.push_back({text.Name, text.English});
  for (const wdx::PoEntry& message : Library) all.push_back({message.context, message.msgid});
  return all;
}

std::vector<wdx::PoEntry> TProgramTexts::Messages(const std::string& templateFolder) const {
  std::vector<wdx::PoEntry> messages;
  for (const wdx::TCodeText& text : Code) {
    wdx::PoEntry message;
    message.hasContext = true;
    message.context = text.Name;
    message.msgid = text.English;
    message.msgstr.emplace_back();
    message.extractedComments = text.Notes;
    message.references.push_back(
        fs::absolute(text.File).lexically_relative(fs::absolute(templateFolder)).generic_string() +
        ":" + std::to_string(text.Line));
    // gettext's own tools check that a translation keeps the placeholders.
    if (!wdx::TextPlaceholders(text.English).empty()) {
      message.flags.emplace_back("python-brace-format");
    }
    messages.push_back(std::move(message));
  }
  for (wdx::PoEntry message : Library) {
    message.references.clear();
    message.extractedComments.push_back(
        "A text of the library. Left empty, the library's own translation shows, where it has "
        "one.");
    messages.push_back(std::move(message));
  }
  return messages;
}

TProgramTexts ReadProgramTexts(const TTextSources& sources) {
  TProgramTexts texts;
  std::vector<std::pair<std::string, std::string>> files;
  for (const std::string& file : sources.Code) files.emplace_back(file, ReadFile(file));
  std::vector<std::string> problems;
  texts.Code = wdx::CollectCodeTexts(files, problems);
  if (!sources.Library.empty()) {
    for (wdx::PoEntry& message : wdx::ParsePoFile(ReadFile(sources.Library), sources.Library)) {
      if (!message.IsHeader() && !message.obsolete) texts.Library.push_back(std::move(message));
    }
  }
  if (!problems.empty()) {
    std::string all;
    for (const std::string& problem : problems) all += (all.empty() ? "" : "\n") + problem;
    throw std::runtime_error(all);
  }
  return texts;
}

}  // namespace formc
