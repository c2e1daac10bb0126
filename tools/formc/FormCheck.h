// What formc checks of every form it compiles, before it writes anything: the form read as the
// program reads it at start, with the classes it may hold, and every problem that read would meet
// told with the line of the form source it comes from. See CheckForm.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/components/ObjectText.h"
#include "tools/formc/ProgramClasses.h"

namespace formc {

// The problems of the form that `file` compiled to `stream` (`map` placing its records), each
// "<file>:<line>: <what>", in the order of their lines; none for a sound form:
// - a class that is neither the framework's (RegisterFormClasses) nor one of `classes`;
// - whatever reading a component's properties raises ("Error reading btOk.Captoin: Property does
//   not exist"), a component name taken twice or not valid, and what a component reports while
//   it completes its load (the language control preparing its data);
// - the language controls' entries: a component, a property or a kind that does not resolve, which
//   the language control would drop without a word (LanguageDataCheck.h);
// when `classes` were given: the form's class must be a form class among them, every handler the
// form names must be one it publishes, and every control it declares must be a component of the
// form of that class. The properties of a class of the program's own are not checked: only the
// program knows them.
std::vector<std::string> CheckForm(const std::string& file, const std::vector<uint8_t>& stream,
                                   const wdx::TFormSourceMap& map, const TProgramClasses& classes);

}  // namespace formc
