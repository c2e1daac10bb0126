// The language of the user's default locale, and the code page of the system's 8-bit text.
#pragma once

namespace wdx {

// The 16-bit language identifier of the user's default locale in the Windows numbering
// (primary language in the low 10 bits, sublanguage above them), or 0 when there is none.
int UserDefaultLanguageId();

// The system's ANSI code page: on Windows its own (Windows-1252 where it is none CodePage.h
// knows), on POSIX Windows-1252, as wine's default. The stand-ins' files hold their text in it.
int SystemCodePage();

// The code page in which the system's programs read text files, which the files the setup writes
// therefore hold: on Windows the ANSI code page; on POSIX the codeset of the locale (LC_ALL,
// LC_CTYPE, LANG): UTF-8 in a UTF-8 locale, ISO-8859-1, a Windows code page ("CP1251"), and
// US-ASCII for a codeset CodePage.h does not know. The C locale, or none, says nothing of the
// files' encoding and keeps the ANSI code page above.
int FileTextCodePage();

// The code page in which a program that takes file names from a text file finds them: on
// Windows UTF-8 for one that reads its paths as UTF-8 (`utf8Paths`), else the ANSI code page; on
// POSIX, where a file name is its bytes, the code page of the files' text above for every one.
int FileNameCodePage(bool utf8Paths);

}  // namespace wdx
