#include "platform/Locale.h"

#include <windows.h>

#include "framework/rtl/CodePage.h"

namespace wdx {

int UserDefaultLanguageId() {
  return static_cast<int>(GetUserDefaultLangID());
}

int SystemCodePage() {
  const int codePage = static_cast<int>(GetACP());
  return IsKnownCodePage(codePage) ? codePage : kCodePageWindows1252;
}

int FileTextCodePage() {
  return SystemCodePage();
}

int FileNameCodePage(bool utf8Paths) {
  return utf8Paths ? kCodePageUtf8 : SystemCodePage();
}

}  // namespace wdx
