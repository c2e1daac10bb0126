// The catalogue of the library's own texts as its PO files (translations/library/) translate
// them, built into the library (TextCatalogue.h gives its form).
#pragma once

#include <string_view>

namespace wdx {

std::string_view LibraryTexts();

}  // namespace wdx
