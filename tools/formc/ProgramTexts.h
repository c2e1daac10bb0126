// The texts that live beside a program's form: those its code marks (the --texts sources) and the
// library's own (the --library template), as formc takes them into templates and catalogues.
#pragma once

#include <string>
#include <vector>

#include "translations/CodeTexts.h"
#include "translations/FormTranslations.h"
#include "translations/PoFile.h"

namespace formc {

struct TTextSources {
  std::vector<std::string> Code;  // C++ files
  std::string Library;            // the library's template, or ""
};

struct TProgramTexts {
  std::vector<wdx::TCodeText> Code;
  std::vector<wdx::PoEntry> Library;  // the library template's messages
  // Every one of them by name and English text.
  std::vector<wdx::TOtherText> All() const;
  // Their messages for a template in `templateFolder`: references from there, a note for each
  // of the library's.
  std::vector<wdx::PoEntry> Messages(const std::string& templateFolder) const;
};

// Raises a runtime_error listing every problem of the sources ("file:line: what" a line).
TProgramTexts ReadProgramTexts(const TTextSources& sources);

}  // namespace formc
