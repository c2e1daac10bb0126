// The texts the window front-end itself shows, marked in WindowTexts.cpp and translated with the
// library's texts. A message box's buttons take MessageBoxes.h's captions; the file-open dialog is
// the system's own, in the system's language.
#pragma once

#include "framework/rtl/Texts.h"

namespace wdx::win32::texts {

// A control of a class the front-end has no kind for: "unsupported {class}" in its place.
extern const TText kUnsupported;

}  // namespace wdx::win32::texts
