#include "platform/Locale.h"

#include <windows.h>

namespace wdx {

int UserDefaultLanguageId() {
  return static_cast<int>(GetUserDefaultLangID());
}

}  // namespace wdx
