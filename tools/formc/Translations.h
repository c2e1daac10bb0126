// The modes of formc that take a form's translations: compiling them into the form and its
// catalogue, writing the template, merging the PO files with it, and the library's catalogue.
#pragma once

#include <string>
#include <vector>

#include "tools/formc/ProgramClasses.h"
#include "tools/formc/ProgramTexts.h"

namespace formc {

// Compiles the form source, checked against the program's classes, with its translations; the
// program's icon is the form's, or the icon file `programIcon` names.
void CompileProgramForm(const std::string& source, const std::string& prefix,
                        const std::vector<std::string>& pos, const TTextSources& texts,
                        const TProgramClasses& classes, const std::string& programIcon = {});
int WriteTemplate(const std::string& source, const std::string& templatePath,
                  const TTextSources& texts);
int UpdateTranslations(const std::string& templatePath, const std::vector<std::string>& pos);
int WriteLibraryCatalogue(const std::string& prefix, const std::string& function,
                          const std::vector<std::string>& pos, const TTextSources& texts);

}  // namespace formc
