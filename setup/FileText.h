// Texts of the program (UTF-8) as the files the setup writes hold them: bytes of the system's
// code page (Locale.h). "Save" refuses beforehand what a file cannot hold (SaveChecks.h), so a
// text never reaches a file changed.
#pragma once

#include <optional>
#include <string>

namespace wdx {

// The first character of `text` that the system's code page lacks, if any.
std::optional<char32_t> CharacterFilesLack(const std::string& text);
// The bytes of `text` in the system's code page; raises EConvertError for a character it lacks.
std::string FileText(const std::string& text);

}  // namespace wdx
