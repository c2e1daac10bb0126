// How the window front-end scales a form: the form gives its geometry and fonts in pixels at the
// resolution it was designed at (its PixelsPerInch), and its windows show them at the DPI of the
// monitor they are on. The component tree keeps the design values.
#pragma once

#include <windows.h>

namespace wdx::win32 {

struct TDisplayScale {
  int Design = 96;  // the form's pixels per inch
  int Dpi = 96;     // the monitor's

  // A design length in the monitor's pixels, rounded to the nearest.
  int operator()(int pixels) const { return Design > 0 ? MulDiv(pixels, Dpi, Design) : pixels; }
  // A design rectangle: each edge scaled, so that controls that meet at 96 DPI meet at any DPI.
  RECT operator()(const RECT& rect) const {
    return {(*this)(rect.left), (*this)(rect.top), (*this)(rect.right), (*this)(rect.bottom)};
  }
};

// The system's DPI functions of Windows 10 where the system has them, and the one system DPI of
// older systems otherwise.
int MonitorDpi(HMONITOR monitor);
int SystemMetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle, with the frame at the DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace wdx::win32
