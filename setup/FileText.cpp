#include "setup/FileText.h"

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"

namespace wdx {

std::optional<char32_t> CharacterFilesLack(const std::string& text, int codePage) {
  char32_t missing = 0;
  if (Utf8ToCodePage(text, codePage, &missing)) return std::nullopt;
  return missing;
}

std::string FileText(const std::string& text, int codePage) {
  char32_t missing = 0;
  std::optional<std::string> bytes = Utf8ToCodePage(text, codePage, &missing);
  if (!bytes) {
    throw EConvertError("The character " + CharacterName(missing) + " has no place in " +
                        CodePageName(codePage));
  }
  return std::move(*bytes);
}

}  // namespace wdx
