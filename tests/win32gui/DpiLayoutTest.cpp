// The window front-end lays a form out again when its window moves to a monitor of another DPI:
// sizes, places and fonts scale by DPI/96 from the design, the window at the suggested place.
#include <gtest/gtest.h>

#include "framework/controls/Form.h"
#include "framework/controls/StdCtrls.h"

// After the framework's headers: windows.h defines macros with the names of its constants.
#include "framework/ui/win32/PropertyMirror.h"
#include "tests/win32gui/BuiltForm.h"

namespace wdx {
namespace {

RECT PlaceInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(DpiLayout, TheFormIsLaidOutAgainAtTheNewDpi) {
  TForm form(nullptr);
  form.SetClientWidth(300);
  form.SetClientHeight(200);
  form.Font()->Height = -11;
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetBounds(75, 41, 75, 23);
  win32::TBuiltForm built(form, 96);
  win32::TPropertyMirror mirror(form, built.Windows, built.Gdi, built.Tabs, built.Builder);
  HWND window = built.Windows.FormWindow();
  HWND buttonWindow = built.Windows.WindowOf(button);
  for (const int dpi : {120, 144, 192, 96}) {
    SCOPED_TRACE(dpi);
    mirror.DpiChanged(dpi, RECT{40, 30, 900, 700});
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, MulDiv(300, dpi, 96));
    EXPECT_EQ(client.bottom, MulDiv(200, dpi, 96));
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 30);
    const RECT place = PlaceInParent(buttonWindow);
    EXPECT_EQ(place.left, MulDiv(75, dpi, 96));
    EXPECT_EQ(place.top, MulDiv(41, dpi, 96));
    EXPECT_EQ(place.right, MulDiv(150, dpi, 96));
    EXPECT_EQ(place.bottom, MulDiv(64, dpi, 96));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(buttonWindow, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(font.lfHeight, MulDiv(-11, dpi, 96));
  }
}

}  // namespace
}  // namespace wdx
