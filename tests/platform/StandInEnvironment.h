// What the directory-service tests need of the build they run in.
#pragma once

#include <string>

namespace wdx {

// Sets an environment variable of this process ("" removes it), where the stand-in reads it.
void SetVariable(const std::string& name, const std::string& value);

// Whether a lookup reports a malformed stand-in file as an error. The POSIX stand-in does; the
// Windows build's lookup gets only a failure code from the directory-service library and yields
// nothing, as it does for every failed lookup.
bool LookupReportsMalformedFile();

}  // namespace wdx
