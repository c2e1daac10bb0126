#include "framework/ui/win32/ModalDialogs.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/ui/win32/Win32Support.h"

// After windows.h, which it needs.
#include <commdlg.h>

namespace wdx::win32 {

namespace {

// The owner over which the next message box opens, while the hook waits for that box.
HWND g_centreOver = nullptr;
HHOOK g_centring = nullptr;

// Moves the message box, when it is activated for the first time, to the centre of its owner,
// kept within the owner's monitor.
LRESULT CALLBACK CentreBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_centring) {
    HWND box = reinterpret_cast<HWND>(wParam);
    RECT boxRect{};
    RECT ownerRect{};
    GetWindowRect(box, &boxRect);
    GetWindowRect(g_centreOver, &ownerRect);
    const int width = boxRect.right - boxRect.left;
    const int height = boxRect.bottom - boxRect.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(g_centreOver, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int left = (ownerRect.left + ownerRect.right - width) / 2;
    const int top = (ownerRect.top + ownerRect.bottom - height) / 2;
    SetWindowPos(box, nullptr,
                 std::clamp<int>(left, work.left, std::max(work.left, work.right - width)),
                 std::clamp<int>(top, work.top, std::max(work.top, work.bottom - height)), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(g_centring);
    g_centring = nullptr;
    return 0;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TModalResult PresentMessageBox(HWND owner, const TMessageBox& box) {
  UINT flags = MB_APPLMODAL | MB_SETFOREGROUND;
  switch (box.Type) {
    case mtWarning:
      flags |= MB_ICONWARNING;
      break;
    case mtError:
      flags |= MB_ICONERROR;
      break;
    case mtInformation:
      flags |= MB_ICONINFORMATION;
      break;
    case mtConfirmation:
      flags |= MB_ICONQUESTION;
      break;
  }
  // The system's sets of buttons: Yes and No with or without Cancel, or OK with or without it.
  const bool cancel = box.Buttons.Contains(mbCancel);
  if (box.Buttons.Contains(mbYes) || box.Buttons.Contains(mbNo)) {
    flags |= cancel ? MB_YESNOCANCEL : MB_YESNO;
  } else {
    flags |= cancel ? MB_OKCANCEL : MB_OK;
  }
  if (owner && IsWindowVisible(owner)) {
    g_centreOver = owner;
    g_centring = SetWindowsHookExW(WH_CBT, CentreBox, nullptr, GetCurrentThreadId());
  }
  const int pressed = MessageBoxW(owner, Wide(box.Text).c_str(), Wide(box.Caption).c_str(), flags);
  if (g_centring) UnhookWindowsHookEx(g_centring);
  g_centring = nullptr;
  if (pressed == IDYES) return mrYes;
  if (pressed == IDNO) return mrNo;
  if (pressed == IDCANCEL && cancel) return mrCancel;
  return mrOK;
}

bool PresentOpenDialog(HWND owner, TOpenDialog& dialog, std::string& chosen) {
  const std::wstring filter = Wide(FilterList(dialog.Filter));
  const std::wstring initialDir = Wide(dialog.InitialDir);
  const std::wstring title = Wide(dialog.Title);
  const std::wstring defaultExt = Wide(dialog.DefaultExt);
  std::vector<wchar_t> file(32768, L'\0');
  Wide(dialog.FileName).copy(file.data(), file.size() - 1);
  OPENFILENAMEW open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = owner;
  open.lpstrFilter = dialog.Filter.empty() ? nullptr : filter.c_str();
  open.nFilterIndex = static_cast<DWORD>(std::max(dialog.FilterIndex, 0));
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  open.lpstrTitle = title.empty() ? nullptr : title.c_str();
  open.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&open)) return false;
  chosen = Utf8(file.data());
  return true;
}

}  // namespace wdx::win32
