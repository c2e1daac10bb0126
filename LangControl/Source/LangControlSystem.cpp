#include "LangControl/Source/LangControlSystem.h"

#include "LangControl/Source/LanguageVariants.h"

#include <array>
#include <string_view>

#include "framework/rtl/CodePage.h"
#include "framework/rtl/StrUtils.h"
#include "platform/Locale.h"

namespace wdx {

const TDefaultLanguage DefaultLanguages[kDefaultLanguageCount] = {
    {0x36, {"Afrikaans", "Afrikaans"}},
    {0x1C, {"Albanian", ""}},
    {0x01, {"Arabic", ""}},
    {0x2D, {"Basque", ""}},
    {0x23, {"Belarusian", ""}},
    {0x02, {"Bulgarian", ""}},
    {0x03, {"Catalan", ""}},
    {0x04, {"Chinese", ""}},
    {0x1A, {"Croatian", ""}},
    {0x05, {"Czech", ""}},
    {0x06, {"Danish", "Dansk"}},
    {0x13, {"Dutch", "Nederlands"}},
    {0x09, {"English", "English"}},
    {0x25, {"Estonian", "Eesti"}},
    {0x38, {"Faeroese", ""}},
    {0x29, {"Farsi", ""}},
    {0x0B, {"Finnish", "Suomi"}},
    {0x0C, {"French", "Francais"}},
    {0x07, {"German", "Deutsch"}},
    {0x08, {"Greek", ""}},
    {0x0D, {"Hebrew", ""}},
    {0x0E, {"Hungarian", "Magyar"}},
    {0x0F, {"Icelandic", "Íslenskur"}},
    {0x21, {"Indonesian", "Indonesia"}},
    {0x10, {"Italian", "Italiano"}},
    {0x11, {"Japanese", ""}},
    {0x12, {"Korean", ""}},
    {0x26, {"Latvian", ""}},
    {0x27, {"Lithuanian", ""}},
    {0x14, {"Norwegian", "Norsk"}},
    {0x15, {"Polish", "Polski"}},
    {0x16, {"Portuguese", "Português"}},
    {0x18, {"Romanian", "Român"}},
    {0x19, {"Russian", ""}},
    {0x1B, {"Slovak", "Slovenský"}},
    {0x24, {"Slovenian", "Slovénski"}},
    {0x0A, {"Spanish", "Español"}},
    {0x1D, {"Swedish", "Svenska"}},
    {0x1E, {"Thai", ""}},
    {0x1F, {"Turkish", "Türkçe"}},
    {0x22, {"Ukrainian", ""}},
    {0x2A, {"Vietnamese", ""}},
};

bool FindLanguageById(int languageId, std::string& englishName, std::string& nativeName) {
  englishName.clear();
  nativeName.clear();
  // Every identifier of the table fits in the low byte of a language identifier.
  const int primary = languageId & 0xFF;
  for (const TDefaultLanguage& language : DefaultLanguages) {
    if (language.LanguageId == primary) {
      englishName = language.Names[nkEnglish];
      nativeName = language.Names[nkNative];
      return true;
    }
  }
  return false;
}

bool GetSystemLanguage(std::string& englishName, std::string& nativeName) {
  const int id = UserDefaultLanguageId();
  if (const TLanguageVariant* variant = FindVariantById(id)) {
    englishName = variant->English;
    nativeName = variant->Native;
    return true;
  }
  return FindLanguageById(id, englishName, nativeName);
}

bool FindDefaultLanguage(TLanguageNameKind kind, std::string& name, int& row) {
  row = -1;
  if (kind != nkEnglish && kind != nkNative) return false;
  for (int i = 0; i < kDefaultLanguageCount; ++i) {
    const std::string_view candidate = DefaultLanguages[i].Names[kind];
    if (!candidate.empty() && SameText(candidate, name)) {
      row = i;
      name = candidate;
      return true;
    }
  }
  return false;
}

bool SameLanguage(std::string_view first, std::string_view second) {
  std::string a = Trim(first);
  std::string b = Trim(second);
  if (a.empty() || b.empty()) return false;
  if (SameText(a, b)) return true;
  if (const TLanguageVariant* variant = FindVariantByName(a)) {
    return variant == FindVariantByName(b);
  }
  int rowA = -1;
  int rowB = -1;
  if (FindDefaultLanguage(nkEnglish, a, rowA)) {
    return FindDefaultLanguage(nkNative, b, rowB) && rowB == rowA;
  }
  if (FindDefaultLanguage(nkNative, a, rowA)) {
    return FindDefaultLanguage(nkEnglish, b, rowB) && rowB == rowA;
  }
  return false;
}

int LanguageCodePage(const std::string& name) {
  if (const TLanguageVariant* variant = FindVariantByName(name)) return variant->CodePage;
  // As FindDefaultLanguage over the trimmed name, English names first, without copying it.
  std::string_view trimmed = name;
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.front()) <= ' ') {
    trimmed.remove_prefix(1);
  }
  while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) <= ' ') {
    trimmed.remove_suffix(1);
  }
  // The table's names with their lengths, so that most rows are passed over by length.
  static const auto names = [] {
    std::array<std::array<std::string_view, 2>, kDefaultLanguageCount> views;
    for (int i = 0; i < kDefaultLanguageCount; ++i) {
      views[i] = {DefaultLanguages[i].Names[nkEnglish], DefaultLanguages[i].Names[nkNative]};
    }
    return views;
  }();
  for (const TLanguageNameKind kind : {nkEnglish, nkNative}) {
    for (int i = 0; i < kDefaultLanguageCount; ++i) {
      const std::string_view candidate = names[i][kind];
      if (!candidate.empty() && SameText(candidate, trimmed)) {
        return AnsiCodePageOfLanguage(DefaultLanguages[i].LanguageId);
      }
    }
  }
  return kCodePageWindows1252;
}

}  // namespace wdx
