#include "framework/ui/win32/FormPlacement.h"

#include <algorithm>

namespace wdx::win32 {

namespace {

RECT WorkArea(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

LONG MovedInto(LONG start, LONG length, LONG low, LONG high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

void FormStyles(const TCustomForm& form, DWORD& style, DWORD& exStyle) {
  style = WS_CLIPCHILDREN;
  exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  bool captioned = true;
  switch (form.BorderStyle()) {
    case bsNone:
      style |= WS_POPUP;
      captioned = false;
      break;
    case bsSingle:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      style |= WS_CAPTION;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  const TBorderIcons icons = form.BorderIcons();
  if (captioned && icons.Contains(biSystemMenu)) {
    style |= WS_SYSMENU;
    if (form.BorderStyle() != bsDialog) {
      if (icons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
      if (icons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
    }
  }
}

HMONITOR FormMonitor(const TCustomForm& form) {
  const RECT designed{form.Left(), form.Top(), form.Left() + form.ClientWidth(),
                      form.Top() + form.ClientHeight()};
  return MonitorFromRect(&designed, MONITOR_DEFAULTTONEAREST);
}

SIZE FormWindowSize(const TCustomForm& form, const TDisplayScale& scale) {
  DWORD style = 0;
  DWORD exStyle = 0;
  FormStyles(form, style, exStyle);
  RECT rect{0, 0, scale(form.ClientWidth()), scale(form.ClientHeight())};
  AdjustWindowRectForDpi(rect, style, exStyle, scale.Dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

int FittingDpi(const TCustomForm& form, int dpi) {
  const RECT work = WorkArea(FormMonitor(form));
  for (; dpi > 48; --dpi) {
    const SIZE size = FormWindowSize(form, {form.PixelsPerInch, dpi});
    if (size.cx <= work.right - work.left && size.cy <= work.bottom - work.top) break;
  }
  return dpi;
}

RECT FormWindowRect(const TCustomForm& form, const TDisplayScale& scale) {
  const SIZE size = FormWindowSize(form, scale);
  const RECT work = WorkArea(FormMonitor(form));
  switch (form.Position()) {
    case poDesigned:
      return MovedInto({form.Left(), form.Top(), form.Left() + size.cx, form.Top() + size.cy},
                       work);
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter: {
      const LONG left = (work.left + work.right - size.cx) / 2;
      const LONG top = (work.top + work.bottom - size.cy) / 2;
      return MovedInto({left, top, left + size.cx, top + size.cy}, work);
    }
    default:
      return {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + size.cx, CW_USEDEFAULT + size.cy};
  }
}

void FitClientArea(HWND window, const TCustomForm& form, const TDisplayScale& scale) {
  RECT client{};
  RECT outer{};
  if (!GetClientRect(window, &client) || !GetWindowRect(window, &outer)) return;
  const LONG dx = scale(form.ClientWidth()) - client.right;
  const LONG dy = scale(form.ClientHeight()) - client.bottom;
  if (dx == 0 && dy == 0) return;
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT MovedInto(const RECT& window, const RECT& area) {
  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  const LONG left = MovedInto(window.left, width, area.left, area.right);
  const LONG top = MovedInto(window.top, height, area.top, area.bottom);
  return {left, top, left + width, top + height};
}

}  // namespace wdx::win32
