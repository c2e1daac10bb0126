// A program's text catalogue as formc writes it beside its form (<prefix>.texts, embedded as
// WENDRIXTEXTS): the texts of its code and the library's in English, and what its PO files
// translate of them, by language (framework/rtl/TextCatalogue.h gives the form).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/rtl/TextCatalogue.h"
#include "translations/FormTranslations.h"

namespace wdx {

class TProgramCatalogue {
 public:
  TProgramCatalogue() = default;
  // Raises EReadError "Invalid text catalogue" for anything else.
  explicit TProgramCatalogue(std::string_view encoded);

  // The texts, in English, in the order the catalogue lists them.
  const std::vector<TOtherText>& Texts() const { return texts_; }
  // The translation of text `name` into `language` (its English name), or nullptr.
  const std::string* Find(const std::string& language, const std::string& name) const;
  void Set(const std::string& language, const std::string& name, const std::string& text);
  std::string Encode() const;

 private:
  std::vector<TOtherText> texts_;
  std::map<std::pair<std::string, std::string>, std::string> translations_;  // language, name
};

// The library's own catalogue, as the library has it built in.
const TProgramCatalogue& LibraryCatalogue();

}  // namespace wdx
