#include "framework/ui/win32/WindowTexts.h"

namespace wdx::win32::texts {

//. In place of a control the window cannot show; {class} is its class name.
const TText kUnsupported = WDX_TEXT("Window.Unsupported", "unsupported {class}");

}  // namespace wdx::win32::texts
