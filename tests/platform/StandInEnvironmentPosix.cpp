#include <cstdlib>

#include "tests/platform/StandInEnvironment.h"

namespace wdx {

void SetVariable(const std::string& name, const std::string& value) {
  if (value.empty()) {
    ::unsetenv(name.c_str());
  } else {
    ::setenv(name.c_str(), value.c_str(), 1);
  }
}

bool LookupReportsMalformedFile() {
  return true;
}

}  // namespace wdx
