#include "LangControl/Source/Expand.h"

namespace wdx {

void PlatformStartup() {}

}  // namespace wdx
