#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/Win32Support.h"

namespace wdx::win32 {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  return Utf8(std::wstring_view(text.data(), static_cast<size_t>(got > 0 ? got : 0)));
}

void TWindowMap::Register(TControl* control, HWND window) {
  windows_[control] = window;
  controls_[window] = control;
}

HWND TWindowMap::WindowOf(const TControl* control) const {
  const auto found = windows_.find(const_cast<TControl*>(control));
  return found == windows_.end() ? nullptr : found->second;
}

TControl* TWindowMap::ControlOf(HWND window) const {
  const auto found = controls_.find(window);
  return found == controls_.end() ? nullptr : found->second;
}

TControl* TWindowMap::ControlAround(HWND window) const {
  for (; window && IsOurs(window); window = GetParent(window)) {
    if (TControl* control = ControlOf(window)) return control;
  }
  return nullptr;
}

bool TWindowMap::IsOurs(HWND window) const {
  return window && formWindow_ && (window == formWindow_ || IsChild(formWindow_, window));
}

}  // namespace wdx::win32
