// The language of the user's default locale, and the code page of the system's 8-bit text.
#pragma once

namespace wdx {

// The 16-bit language identifier of the user's default locale in the Windows numbering
// (primary language in the low 10 bits, sublanguage above them), or 0 when there is none.
int UserDefaultLanguageId();

// The code page in which the files the setup writes hold their text: the system's ANSI code page
// on Windows (Windows-1252 where it is none CodePage.h knows), Windows-1252 on POSIX.
int SystemCodePage();

}  // namespace wdx
