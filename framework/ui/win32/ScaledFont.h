// A form's font at the windows' scale. A raster face has a few sizes only (MS Sans Serif stops at
// a 20-pixel cell); where the size asked lies beyond its largest, the text would stay small in
// controls that grew. There a scalable face of the same pitch takes its place, made no wider than
// the raster face's text would be at that size, so that a caption that fits the design fits.
#pragma once

#include "framework/controls/Graphics.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/DisplayScale.h"

namespace wdx::win32 {

// The font for `font` in `charset` at `scale`; the caller owns it.
HFONT CreateScaledFont(const TFont& font, int charset, const TDisplayScale& scale);

}  // namespace wdx::win32
