// The widths of texts as the Windows dialog draws them at 96 DPI, from a table measured by the
// Windows build under wine (tests/win32gui/MeasureFonts.cpp, scripts/make-font-metrics.sh): the
// dialog's font, MS Sans Serif of height -11, regular and bold, in the character set of each ANSI
// code page; the title bar's font; and the system measures around them. A caption is drawn in the
// character set of the first code page that holds it, as the Windows front-end picks its font.
// A character the table lacks counts as the font's average width; a font of another height is
// taken as the dialog's scaled to it.
#pragma once

#include <string_view>

namespace wdx::fit {

struct TWindowMeasures {
  int TabPadding;     // a tab's room beside its text, on each side
  int FixedFrame;     // a dialog window's frame, on each side
  int SmallIcon;      // the title bar's icon
  int CaptionButton;  // one button of the title bar
};
const TWindowMeasures& WindowMeasures();

// The width of one line of `text` (UTF-8) in the dialog's font of `height` pixels (negative, as
// a form gives it), bold or not.
int DialogTextWidth(std::string_view text, int height, bool bold);
// The height of a line of that font.
int DialogLineHeight(int height);
// The width of `text` in the title bar.
int TitleTextWidth(std::string_view text);

}  // namespace wdx::fit
