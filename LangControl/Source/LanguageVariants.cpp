#include "LangControl/Source/LanguageVariants.h"

#include <string>

#include "framework/rtl/LocaleNames.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {

const TLanguageVariant LanguageVariants[kLanguageVariantCount] = {
    {"zh_CN", 0x0804, "Chinese (Simplified)", "\xe4\xb8\xad\xe6\x96\x87 (\xe7\xae\x80\xe4\xbd\x93)",
     936, "Chinese"},
    {"zh_TW", 0x0404, "Chinese (Traditional)",
     "\xe4\xb8\xad\xe6\x96\x87 (\xe7\xb9\x81\xe9\xab\x94)", 950, "Chinese"},
    {"pt_BR", 0x0416, "Portuguese (Brazil)", "Portugu\xc3\xaas (Brasil)", 1252, "Portuguese"},
    {"sr", 0x281A, "Serbian (Cyrillic)",
     "\xd0\xa1\xd1\x80\xd0\xbf\xd1\x81\xd0\xba\xd0\xb8 "
     "(\xd1\x9b\xd0\xb8\xd1\x80\xd0\xb8\xd0\xbb\xd0"
     "\xb8\xd1\x86\xd0\xb0)",
     1251, ""},
    {"sr@latin", 0x241A, "Serbian (Latin)", "Srpski (latinica)", 1250, ""},
};

const TLanguageVariant* FindVariantByName(std::string_view name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty()) return nullptr;
  for (const TLanguageVariant& variant : LanguageVariants) {
    if (SameText(variant.English, trimmed) || SameText(variant.Native, trimmed)) return &variant;
  }
  return nullptr;
}

const TLanguageVariant* FindVariantById(int languageId) {
  for (const TLanguageVariant& variant : LanguageVariants) {
    if (variant.LanguageId == languageId) return &variant;
  }
  return nullptr;
}

const TLanguageVariant* FindVariantByCode(std::string_view code) {
  std::string name = Trim(code);
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  const size_t cut = name.find_first_of("_.@");
  if (cut == std::string::npos) {
    for (const TLanguageVariant& variant : LanguageVariants) {
      if (SameText(variant.Code, name)) return &variant;
    }
    return nullptr;
  }
  const int id = LanguageIdOfLocaleName(name);
  return id == 0 ? nullptr : FindVariantById(id);
}

}  // namespace wdx
