// The built-in table of languages: the primary language identifier of the operating system
// with an English and, where known, a native name. It tells the language of the user's
// default locale and lets a language be addressed by either of its names ("Deutsch" finds a
// language stored as "German"). Names are UTF-8 text and compare ignoring the case of the ASCII
// letters only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wdx {

enum TLanguageNameKind : int { nkEnglish = 0, nkNative = 1 };

struct TDefaultLanguage {
  int32_t LanguageId;    // primary language identifier (the low byte of a Windows LANGID)
  const char* Names[2];  // indexed by TLanguageNameKind; an absent native name is ""
};

inline constexpr int kDefaultLanguageCount = 42;

// Sorted by English name; identifiers are unique.
extern const TDefaultLanguage DefaultLanguages[kDefaultLanguageCount];

// The names of the language with the Windows language identifier `languageId` (only its low
// 8 bits count). False, with both names empty, when the table does not know it.
bool FindLanguageById(int languageId, std::string& englishName, std::string& nativeName);

// The names of the language of the user's default locale (a regional variant's, LanguageVariants.h,
// where its identifier is one's); false, with both names empty, when there is none or the table
// does not know it.
bool GetSystemLanguage(std::string& englishName, std::string& nativeName);

// The first row whose name of `kind` equals `name`: `row` becomes its index and `name` the
// row's own spelling. Not found: `row` becomes -1 and `name` stays. An absent native name
// never matches.
bool FindDefaultLanguage(TLanguageNameKind kind, std::string& name, int& row);

// Whether two names, trimmed, denote the same language: equal, or the English and the native
// name of one row or of one variant. An empty name is never the same language as anything.
bool SameLanguage(std::string_view first, std::string_view second);

// The code page in which a form stream stores the texts of the language called `name` (English
// or native, trimmed): the ANSI code page Windows gives the language (Windows-1251 for Russian,
// 932 for Japanese, 950 for Chinese (Traditional)), Windows-1252 for a name neither the table nor
// the variants know.
int LanguageCodePage(const std::string& name);

}  // namespace wdx
