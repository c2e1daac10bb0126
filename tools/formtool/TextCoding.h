// The text codings a form's translations travel between: UTF-8 in PO files, Windows-1252 for
// 8-bit texts in the form, UTF-16 for its wide texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wdx {

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string WideToUtf8(const std::u16string& wide);
// The UTF-16 form of UTF-8 `text`; nullopt for malformed UTF-8 (overlong forms, surrogates,
// truncated sequences, values beyond U+10FFFF).
std::optional<std::u16string> Utf8ToWide(std::string_view text);
// The Windows-1252 bytes of `wide`; nullopt when the code page lacks one of its characters.
std::optional<std::string> WideToAnsiExact(const std::u16string& wide);
// The Windows-1252 bytes of UTF-8 `text`; nullopt for malformed UTF-8 or a character the code
// page lacks.
std::optional<std::string> Utf8ToAnsiExact(std::string_view text);
std::string AnsiToUtf8(const std::string& ansi);

}  // namespace wdx
