// The texts the window front-end itself shows; the system's own dialogs (message boxes, the
// file-open dialog) show theirs in the system's language.
#pragma once

namespace wdx::win32::texts {

// A control of a class the front-end has no kind for: "unsupported <class>" in its place.
inline constexpr char kUnsupported[] = "unsupported ";

}  // namespace wdx::win32::texts
