// Texts of the program (UTF-8) as the files the setup writes hold them: bytes of the code page the
// system's programs read them in (Locale.h), or, for the paths in httpd.conf, the one the Apache
// found reads its paths in. "Save" refuses beforehand what a file cannot hold (SaveChecks.h), so
// a text never reaches a file changed.
#pragma once

#include <optional>
#include <string>

#include "platform/Locale.h"

namespace wdx {

// The first character of `text` that the code page lacks, if any.
std::optional<char32_t> CharacterFilesLack(const std::string& text,
                                           int codePage = FileTextCodePage());
// The bytes of `text` in the code page; raises EConvertError for a character it lacks.
std::string FileText(const std::string& text, int codePage = FileTextCodePage());

}  // namespace wdx
