// The window front-end lays a form out again when its window moves to a monitor of another DPI
// (sizes, places and fonts scale by DPI/96 from the design, the window at the suggested place) and
// when its reading order switches (mirrored, a control's place taken from the right).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/PropertyMirror.h"
#include "tests/win32gui/BuiltForm.h"

namespace wdx {
namespace {

// Left, top, right, bottom of the window in its parent's client area (the screen's for the form),
// then its client width and height and its font's height.
std::tuple<long, long, long, long, long, long, long> Shown(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  if (HWND parent = GetParent(window))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  RECT client{};
  GetClientRect(window, &client);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
  return {rect.left, rect.top, rect.right, rect.bottom, client.right, client.bottom, font.lfHeight};
}

// The em height of the window's font and the width of every printable ASCII character in it.
std::pair<long, long> FontMeasure(HWND window) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  std::string sample;
  for (char c = 0x20; c < 0x7F; ++c) sample += c;
  SIZE extent{};
  GetTextExtentPoint32A(dc, sample.c_str(), static_cast<int>(sample.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return {metrics.tmHeight - metrics.tmInternalLeading, extent.cx};
}

// A button on a form of 300 x 200.
TButton* PlaceButton(TForm& form, int left, int top, int width, int height) {
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetBounds(left, top, width, height);
  return button;
}

// The text grows with the DPI beyond MS Sans Serif's largest raster size, and never wider than
// the design's text scaled, so that a caption that fits at 96 DPI fits at every DPI.
TEST(DpiLayout, TheFormIsLaidOutAgainAtTheNewDpi) {
  TForm form(nullptr);
  form.Font()->Height = -11;
  TButton* button = PlaceButton(form, 75, 41, 75, 23);
  win32::TBuiltForm built(form, 96);
  win32::TPropertyMirror mirror(form, built.Windows, built.Gdi, built.Tabs, built.Builder);
  const long designWidth = FontMeasure(built.Windows.WindowOf(button)).second;
  for (const int dpi : {120, 144, 168, 192, 96}) {
    SCOPED_TRACE(dpi);
    mirror.DpiChanged(dpi, RECT{40, 30, 900, 700});
    auto s = [dpi](long design) { return static_cast<long>(MulDiv(design, dpi, 96)); };
    const auto formShown = Shown(built.Windows.FormWindow());
    EXPECT_EQ(std::get<0>(formShown), 40);
    EXPECT_EQ(std::get<1>(formShown), 30);
    EXPECT_EQ(std::get<4>(formShown), s(300));
    EXPECT_EQ(std::get<5>(formShown), s(200));
    const auto buttonShown = Shown(built.Windows.WindowOf(button));
    EXPECT_EQ(buttonShown,
              std::make_tuple(s(75), s(41), s(150), s(64), s(150) - s(75), s(64) - s(41), s(-11)));
    const auto [em, width] = FontMeasure(built.Windows.WindowOf(button));
    EXPECT_GE(em, s(11) - 1);
    EXPECT_LE(width, s(designWidth));
    EXPECT_GE(width, s(designWidth) * 9 / 10);
  }
}

TEST(DpiLayout, AFormMirrorsAndUnmirrorsAsItsReadingOrderSwitches) {
  TForm form(nullptr);
  TButton* button = PlaceButton(form, 20, 40, 100, 21);
  win32::TBuiltForm built(form, 96);
  win32::TPropertyMirror mirror(form, built.Windows, built.Gdi, built.Tabs, built.Builder);
  HWND window = built.Windows.WindowOf(button);
  // Where the button stands on the screen, from the form's client area's left edge.
  const auto screenLeft = [&] {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT origin{0, 0};
    ClientToScreen(built.Windows.FormWindow(), &origin);
    RECT client{};
    GetClientRect(built.Windows.FormWindow(), &client);
    // A mirrored client area's origin is its right edge.
    const bool mirrored =
        GetWindowLongPtrW(built.Windows.FormWindow(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL;
    return mirrored ? rect.left - (origin.x - client.right) : rect.left - origin.x;
  };
  for (const TBiDiMode mode : {bdRightToLeft, bdLeftToRight, bdRightToLeftReadingOnly}) {
    SCOPED_TRACE(static_cast<int>(mode));
    form.SetBiDiMode(mode);
    mirror.Changed(form);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_EQ((style & WS_EX_LAYOUTRTL) != 0, mode == bdRightToLeft);
    EXPECT_EQ((style & WS_EX_RTLREADING) != 0, mode != bdLeftToRight);
    EXPECT_EQ(screenLeft(), mode == bdRightToLeft ? 300 - 120 : 20);
  }
}

}  // namespace
}  // namespace wdx
