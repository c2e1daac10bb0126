// A form source as formc takes it: compiled to its stream, with every record placed on its line,
// and checked (FormCheck.h), with the language library started as the form's classes need it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "LangControl/Source/LangControl.h"
#include "framework/components/ObjectText.h"
#include "tools/formc/ProgramClasses.h"

namespace formc {

// Raises a runtime_error with every problem of the source, "<file>:<line>: <what>" a line: its
// first syntax error, or every problem the check finds.
std::vector<uint8_t> CompileForm(const std::string& source, const TProgramClasses& classes,
                                 wdx::TFormSourceMap& map);

// The classes the files declare; raises a runtime_error with every problem of them.
TProgramClasses ReadClassFiles(const std::vector<std::string>& files);

// Runs `work` with the language library started.
template <class Work>
auto WithLanguageLibrary(const Work& work) {
  wdx::StartupLanguageLibrary();
  try {
    auto result = work();
    wdx::ShutdownLanguageLibrary();
    return result;
  } catch (...) {
    wdx::ShutdownLanguageLibrary();
    throw;
  }
}

}  // namespace formc
