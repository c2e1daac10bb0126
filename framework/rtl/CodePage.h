// The program's text is UTF-8 in memory and UTF-16 at the platform's wide API (Utf8.h). Where it
// is stored in 8-bit form (a form stream's strings and the language data's texts, the files that
// the setup writes) it takes the bytes of a Windows code page: the single-byte code pages 874 and
// 1250 to 1258, the double-byte 932, 936, 949 and 950, and UTF-8 (65001); files on POSIX may
// also be in US-ASCII (20127) or ISO-8859-1 (28591). These convert at those edges and nowhere
// else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wdx {

inline constexpr int kCodePageWindows1252 = 1252;
inline constexpr int kCodePageUtf8 = 65001;
inline constexpr int kCodePageUsAscii = 20127;
inline constexpr int kCodePageLatin1 = 28591;

// Whether the code page is one of those above.
bool IsKnownCodePage(int codePage);

// The UTF-8 text of `bytes` stored in `codePage` (an unknown one reads as Windows-1252). Any bytes
// decode: a byte the code page leaves undefined becomes a character that stands for it, so that
// Utf8ToCodePage stores the same text again. The bytes come back too, except where a code page
// has two forms of one text: a character at two pairs of a double-byte code page (the first is
// stored), and in code page 1258 a base letter and a tone mark that make a letter the code page
// lacks as one byte, which read as that letter.
std::string CodePageToUtf8(std::string_view bytes, int codePage);

// The bytes of UTF-8 `text` in `codePage`, or nullopt when the text is not valid UTF-8 or holds a
// character the code page lacks; `missing`, when given, then receives the first such character
// (U+FFFD for malformed UTF-8).
std::optional<std::string> Utf8ToCodePage(std::string_view text, int codePage,
                                          char32_t* missing = nullptr);

// The code page's name in messages: "Windows-1251", "UTF-8", "US-ASCII", "ISO-8859-1".
std::string CodePageName(int codePage);
// A character for a message: itself and its code point, "ł (U+0142)".
std::string CharacterName(char32_t code);

// The ANSI code page that Windows gives a language: `languageId` is a Windows language
// identifier, or a primary language identifier alone. Languages without one of their own
// (and identifiers Windows does not know) get Windows-1252.
int AnsiCodePageOfLanguage(int languageId);

}  // namespace wdx
