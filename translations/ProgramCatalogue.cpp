#include "translations/ProgramCatalogue.h"

#include "translations/library/LibraryTexts.h"

namespace wdx {

TProgramCatalogue::TProgramCatalogue(std::string_view encoded) {
  for (text_catalogue::TEntry& entry : text_catalogue::Decode(encoded)) {
    if (entry.Language == text_catalogue::kSourceLanguage) {
      texts_.push_back({std::move(entry.Name), std::move(entry.Text)});
    } else {
      translations_[{entry.Language, entry.Name}] = std::move(entry.Text);
    }
  }
}

const std::string* TProgramCatalogue::Find(const std::string& language,
                                           const std::string& name) const {
  const auto found = translations_.find({language, name});
  return found == translations_.end() ? nullptr : &found->second;
}

void TProgramCatalogue::Set(const std::string& language, const std::string& name,
                            const std::string& text) {
  translations_[{language, name}] = text;
}

std::string TProgramCatalogue::Encode() const {
  std::vector<text_catalogue::TEntry> entries;
  for (const TOtherText& text : texts_) {
    entries.push_back({text_catalogue::kSourceLanguage, text.Name, text.English});
  }
  for (const auto& [key, text] : translations_) entries.push_back({key.first, key.second, text});
  return text_catalogue::Encode(entries);
}

const TProgramCatalogue& LibraryCatalogue() {
  static const TProgramCatalogue library(LibraryTexts());
  return library;
}

}  // namespace wdx
