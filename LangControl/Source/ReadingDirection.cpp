#include "LangControl/Source/ReadingDirection.h"

#include <algorithm>
#include <string>

#include "LangControl/Source/LangControlSystem.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

namespace {

// The primary language identifiers of the right-to-left languages of the table.
constexpr int kRightToLeftIds[] = {0x01 /* Arabic */, 0x0D /* Hebrew */, 0x20 /* Urdu */,
                                   0x29 /* Farsi */};

// Right-to-left languages a form may hold beyond the table, by their English names.
constexpr std::string_view kRightToLeftNames[] = {"Divehi", "Pashto", "Persian", "Sindhi",
                                                  "Syriac", "Urdu",   "Uyghur",  "Yiddish"};

}  // namespace

bool IsRightToLeftLanguage(std::string_view name) {
  std::string language = Trim(name);
  // A regional variant is its language's: "Arabic (Egypt)".
  if (const size_t open = language.find(" ("); open != std::string::npos) language.resize(open);
  for (const std::string_view known : kRightToLeftNames) {
    if (SameText(language, known)) return true;
  }
  int row = -1;
  if (!FindDefaultLanguage(nkEnglish, language, row) &&
      !FindDefaultLanguage(nkNative, language, row)) {
    return false;
  }
  return std::find(std::begin(kRightToLeftIds), std::end(kRightToLeftIds),
                   DefaultLanguages[row].LanguageId) != std::end(kRightToLeftIds);
}

}  // namespace wdx
