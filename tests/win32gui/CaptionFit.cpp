#include "tests/win32gui/CaptionFit.h"

#include <algorithm>
#include <climits>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/Pages.h"
#include "framework/ui/win32/DisplayScale.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/Win32Support.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32 {

namespace {

// At 96 DPI: a push button's 3D edge and the gap to its focus rectangle on each side, and the
// indent of a group box's caption from either end of its frame.
constexpr int kButtonBorder = 4;
constexpr int kGroupIndent = 8;

std::string Size(long width, long height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

// The text's extent in `font`: one line, or wrapped at `width`.
SIZE Extent(HFONT font, const std::string& text, bool wraps, int width) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT extent{0, 0, width, 0};
  const std::wstring wide = Wide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &extent,
            DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {extent.right, extent.bottom};
}

SIZE Extent(HWND window, const std::string& text, bool wraps, int width) {
  return Extent(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), text, wraps,
                width);
}

RECT Client(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

// The shown sibling window that covers part of `area` (parent coordinates), or nullptr.
HWND CoveringSibling(HWND window, const RECT& area) {
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling;
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

std::string LabelProblem(const TWindowMap& windows, const TLabel& label, HWND window) {
  const RECT client = Client(window);
  if (label.WordWrap()) {
    // Counted in lines: a font's line at another DPI may be a pixel taller than the scaled line.
    const SIZE extent = Extent(window, label.Caption(), true, client.right);
    const long line = std::max<long>(Extent(window, "Ag", false, 0).cy, 1);
    const RECT design = DesignBounds(windows, label);
    const long height = std::min<long>(client.bottom, design.bottom - design.top);
    const long lines = std::max<long>((height + line / 2) / line, 1);
    if (extent.cy <= lines * line) return {};
    return "wraps to " + Size(extent.cx, extent.cy) + ", has " + std::to_string(lines) +
           " line(s) of " + std::to_string(line);
  }
  const SIZE extent = Extent(window, label.Caption(), false, client.right);
  if (extent.cx > client.right || extent.cy > client.bottom) {
    return "needs " + Size(extent.cx, extent.cy) + ", has " + Size(client.right, client.bottom);
  }
  RECT placed{};
  GetWindowRect(window, &placed);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&placed), 2);
  const RECT area{placed.left, placed.top, placed.left + extent.cx, placed.top + extent.cy};
  HWND sibling = CoveringSibling(window, area);
  if (!sibling) return {};
  char name[64] = {};
  GetClassNameA(sibling, name, sizeof name);
  return "runs under a sibling " + std::string(name) + " window (needs " +
         Size(extent.cx, extent.cy) + ")";
}

// A caption on one line within `inner` pixels of its window's width.
std::string InsideProblem(HWND window, const std::string& caption, int inset, const char* what) {
  const RECT client = Client(window);
  const SIZE extent = Extent(window, caption, false, client.right);
  const long inner = client.right - 2 * inset;
  if (extent.cx <= inner) return {};
  return "needs " + std::to_string(extent.cx) + " inside " + what + ", has " +
         std::to_string(inner);
}

// The tab control scrolls tabs that do not fit its width; it gives no place for a tab it has
// scrolled out of sight.
std::string TabsProblem(const TPageControl& pages, HWND window) {
  const RECT client = Client(window);
  long needed = 0;
  for (int i = 0; i < TabCtrl_GetItemCount(window) && needed <= client.right; ++i) {
    RECT item{};
    needed = TabCtrl_GetItemRect(window, i, &item) ? std::max(needed, item.right) : LONG_MAX;
  }
  if (needed <= client.right) return {};
  std::string tabs;
  for (const TTabSheet* page : VisibleTabs(pages)) {
    tabs += (tabs.empty() ? "" : ", ") + page->Caption();
  }
  return "tabs (" + tabs + ") do not fit in one row of " + std::to_string(client.right);
}

// The title bar's text at the windows' scale, beside the caption buttons and the icon it shows.
std::string FormCaptionProblem(const TWindowMap& windows, HWND window, const std::string& caption) {
  const TDisplayScale& scale = windows.Scale();
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HDC screen = GetDC(nullptr);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  metrics.lfCaptionFont.lfHeight = MulDiv(metrics.lfCaptionFont.lfHeight, scale.Dpi, systemDpi);
  HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
  const SIZE extent = Extent(font, caption, false, 0);
  DeleteObject(font);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  int reserved = 2 * SystemMetricForDpi(SM_CXFIXEDFRAME, scale.Dpi) + scale(kGroupIndent);
  if (style & WS_SYSMENU) {
    const int buttons = 1 + ((style & WS_MINIMIZEBOX) ? 2 : 0);
    reserved += SystemMetricForDpi(SM_CXSMICON, scale.Dpi) +
                buttons * SystemMetricForDpi(SM_CXSIZE, scale.Dpi);
  }
  const long room = bounds.right - bounds.left - reserved;
  if (extent.cx <= room) return {};
  return "needs " + std::to_string(extent.cx) + " in the title bar, has " + std::to_string(room);
}

// The text the window holds, when it is not the caption: a character lost on the way to it.
std::string ShownProblem(HWND window, const std::string& caption) {
  const std::string shown = WindowText(window);
  return shown == caption ? std::string() : "shows \"" + shown + "\" in its window";
}

std::string TabTextProblem(const TPageControl& pages, HWND window) {
  const std::vector<TTabSheet*> tabs = VisibleTabs(pages);
  for (size_t i = 0; i < tabs.size(); ++i) {
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(window, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    if (Utf8(text) != tabs[i]->Caption()) return "shows the tab \"" + Utf8(text) + "\"";
  }
  return {};
}

std::string Either(const std::string& first, const std::string& second) {
  return first.empty() ? second : first;
}

}  // namespace

TCaptionFits CheckCaptions(const TCustomForm& form, const TWindowMap& windows) {
  TCaptionFits fits;
  const TDisplayScale& scale = windows.Scale();
  auto check = [&](const TControl& control, const std::string& problem) {
    ++fits.Checked;
    if (!problem.empty()) fits.Misfits.push_back({control.Name(), control.Caption(), problem});
  };
  if (HWND window = windows.FormWindow(); window && !form.Caption().empty()) {
    check(form, Either(ShownProblem(window, form.Caption()),
                       FormCaptionProblem(windows, window, form.Caption())));
  }
  for (int i = 0; i < form.ComponentCount(); ++i) {
    const auto* control = dynamic_cast<const TControl*>(form.Components(i));
    HWND window = windows.WindowOf(control);
    if (!window) continue;
    if (auto* pages = dynamic_cast<const TPageControl*>(control)) {
      check(*pages, Either(TabTextProblem(*pages, window), TabsProblem(*pages, window)));
    } else if (control->Caption().empty()) {
      continue;
    } else if (auto* label = dynamic_cast<const TLabel*>(control)) {
      check(*label,
            Either(ShownProblem(window, label->Caption()), LabelProblem(windows, *label, window)));
    } else if (dynamic_cast<const TButton*>(control)) {
      check(*control, Either(ShownProblem(window, control->Caption()),
                             InsideProblem(window, control->Caption(), scale(kButtonBorder),
                                           "the button's border")));
    } else if (dynamic_cast<const TGroupBox*>(control)) {
      check(*control, Either(ShownProblem(window, control->Caption()),
                             InsideProblem(window, control->Caption(), scale(kGroupIndent),
                                           "the group box's frame")));
    }
  }
  return fits;
}

}  // namespace wdx::win32
