// The languages of ISO 639-1 by their two-letter codes and English names: the languages a PO file
// may be for beyond the built-in table and its variants. A form keeps such a language under its
// English name; its texts, which no ANSI code page is the language's, are stored as Unicode.
#pragma once

#include <string_view>

namespace wdx {

struct TIsoLanguage {
  const char* Code;
  const char* English;
};

// Every language of the list, in the order of the codes.
const TIsoLanguage* IsoLanguagesBegin();
const TIsoLanguage* IsoLanguagesEnd();

// The language of a code ("hi", "hi_IN.UTF-8"; its language part counts), or nullptr.
const TIsoLanguage* FindIsoLanguageByCode(std::string_view code);
// The language of an English name (ASCII case ignored), or nullptr.
const TIsoLanguage* FindIsoLanguageByName(std::string_view name);

}  // namespace wdx
