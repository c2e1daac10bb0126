// The program's own icon (its MAINICON resource) as the source of a form's icon images at sizes
// the form's icon lacks. A form's icon lives in the form's stream, whose bytes a program may have
// to keep; its program's icon can carry the same design at every size Windows asks for at 96 to
// 192 DPI. It is taken only when it holds every image of the form's icon byte for byte, so that a
// form never shows another program's or another form's design.
#pragma once

#include <string_view>

#include <windows.h>

namespace wdx::win32 {

// The program icon's image of exactly `size` pixels when the form's icon `file` has none of that
// size and the program's icon holds all of the file's images; nullptr otherwise. The caller owns
// the icon.
HICON ProgramIconFor(std::string_view file, int size);

}  // namespace wdx::win32
