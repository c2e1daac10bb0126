#include "framework/ui/win32/DisplayScale.h"

namespace wdx::win32 {

namespace {

// Looked up at run time: Windows 7 and 8 lack them.
template <class Function>
Function Lookup(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) handle = LoadLibraryW(module);
  return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                : nullptr;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int MonitorDpi(HMONITOR monitor) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpi = Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  // MDT_EFFECTIVE_DPI
  if (monitor && getDpi && SUCCEEDED(getDpi(monitor, 0, &x, &y)) && y > 0) {
    return static_cast<int>(y);
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto metric =
      Lookup<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  if (metric) return metric(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = Lookup<AdjustFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

}  // namespace wdx::win32
