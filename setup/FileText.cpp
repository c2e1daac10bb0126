#include "setup/FileText.h"

#include "framework/rtl/CodePage.h"
#include "framework/rtl/Exceptions.h"
#include "platform/Locale.h"

namespace wdx {

std::optional<char32_t> CharacterFilesLack(const std::string& text) {
  char32_t missing = 0;
  if (Utf8ToCodePage(text, SystemCodePage(), &missing)) return std::nullopt;
  return missing;
}

std::string FileText(const std::string& text) {
  char32_t missing = 0;
  std::optional<std::string> bytes = Utf8ToCodePage(text, SystemCodePage(), &missing);
  if (!bytes) {
    throw EConvertError("The character " + CharacterName(missing) + " has no place in " +
                        CodePageName(SystemCodePage()));
  }
  return std::move(*bytes);
}

}  // namespace wdx
