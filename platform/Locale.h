// The language of the user's default locale.
#pragma once

namespace wdx {

// The 16-bit language identifier of the user's default locale in the Windows numbering
// (primary language in the low 10 bits, sublanguage above them), or 0 when there is none.
int UserDefaultLanguageId();

}  // namespace wdx
