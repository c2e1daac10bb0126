// Languages beside the built-in table of languages (whose rows stay as they are): regional variants
// and scripts that are languages of their own in a form, side by side with the others (Chinese in
// its Simplified and Traditional characters, Brazilian Portuguese, Serbian in Cyrillic and in
// Latin letters), each with its own names, Windows language identifier and code page.
#pragma once

#include <cstdint>
#include <string_view>

namespace wdx {

struct TLanguageVariant {
  const char* Code;     // as a locale name or a PO file's Language gives it: "zh_TW", "sr@latin"
  int32_t LanguageId;   // the whole identifier, sublanguage included
  const char* English;  // "Chinese (Traditional)"
  const char* Native;
  int CodePage;
  const char* Base;  // the table's language a user of the variant takes when a form lacks it, or ""
};

inline constexpr int kLanguageVariantCount = 5;
extern const TLanguageVariant LanguageVariants[kLanguageVariantCount];

// The variant called `name` (English or native, trimmed, ASCII case ignored), or nullptr.
const TLanguageVariant* FindVariantByName(std::string_view name);
// The variant of the Windows language identifier `languageId` (all of it counts), or nullptr.
const TLanguageVariant* FindVariantById(int languageId);
// The variant a locale name or a Language field denotes ("zh_TW.UTF-8", "pt-BR", "sr@latin"): by
// its language and territory or script; a bare language code only the variant that is that code
// ("sr"), or nullptr.
const TLanguageVariant* FindVariantByCode(std::string_view code);

}  // namespace wdx
