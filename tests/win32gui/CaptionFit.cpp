#include "tests/win32gui/CaptionFit.h"

#include <algorithm>

namespace wdx::win32 {

namespace {

// The text's extent in the window's font: one line, or wrapped at `width`.
SIZE Extent(HWND window, const std::string& text, bool wraps, int width) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
  RECT extent{0, 0, width, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent,
            DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return {extent.right, extent.bottom};
}

// The shown sibling window that covers part of `area` (parent coordinates), or nullptr.
HWND CoveringSibling(HWND window, const RECT& area) {
  for (HWND sibling = GetWindow(GetWindow(window, GW_HWNDFIRST), GW_HWNDFIRST); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == window || !(GetWindowLongPtrA(sibling, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT bounds{};
    GetWindowRect(sibling, &bounds);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    RECT common{};
    if (IntersectRect(&common, &bounds, &area)) return sibling;
  }
  return nullptr;
}

std::string Size(long width, long height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

TCaptionFit CheckCaption(HWND window, const std::string& text, bool wraps, const RECT& design) {
  RECT client{};
  GetClientRect(window, &client);
  TCaptionFit fit;
  if (wraps) {
    const SIZE extent = Extent(window, text, true, client.right);
    const long height = std::min<long>(client.bottom, design.bottom - design.top);
    if (extent.cy > height) {
      fit.Fits = false;
      fit.Problem =
          "wraps to " + Size(extent.cx, extent.cy) + ", has " + Size(client.right, height);
    }
    return fit;
  }
  const SIZE extent = Extent(window, text, false, client.right);
  if (extent.cx > client.right || extent.cy > client.bottom) {
    fit.Fits = false;
    fit.Problem =
        "needs " + Size(extent.cx, extent.cy) + ", has " + Size(client.right, client.bottom);
    return fit;
  }
  RECT placed{};
  GetWindowRect(window, &placed);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&placed), 2);
  const RECT area{placed.left, placed.top, placed.left + extent.cx, placed.top + extent.cy};
  if (HWND sibling = CoveringSibling(window, area)) {
    char name[64] = {};
    GetClassNameA(sibling, name, sizeof name);
    fit.Fits = false;
    fit.Problem = "runs under a sibling " + std::string(name) + " window (needs " +
                  Size(extent.cx, extent.cy) + ")";
  }
  return fit;
}

}  // namespace wdx::win32
