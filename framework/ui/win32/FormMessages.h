// The messages that the front-end posts to its own form window.
#pragma once

#include <windows.h>

namespace wdx::win32 {

// Runs the form's activation event once its window is on screen.
inline constexpr UINT kActivateMessage = WM_APP + 1;
// Wakes the message loop so that it sees a closed form.
inline constexpr UINT kWakeMessage = WM_APP + 2;
// Brings the controls whose kinds mirror when idle in step with their windows.
inline constexpr UINT kMirrorMessage = WM_APP + 3;

}  // namespace wdx::win32
