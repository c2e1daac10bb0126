#include "framework/ui/win32/ModalDialogs.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/ui/win32/Win32Support.h"

// After windows.h, which it needs.
#include <commdlg.h>

namespace wdx::win32 {

namespace {

// The owner over which the next message box opens (nullptr: where the system puts it), and the
// hook that waits for that box.
HWND g_centreOver = nullptr;
HHOOK g_boxHook = nullptr;

// A button's caption in the program's language, Yes and No with their first letter as the key
// that presses them, as the system's own boxes have.
std::wstring ButtonLabel(TMsgDlgBtn button) {
  std::wstring label;
  for (wchar_t c : Wide(ButtonCaption(button))) {
    if (c == L'&') label += L'&';  // a literal ampersand
    label += c;
  }
  return button == mbYes || button == mbNo ? L"&" + label : label;
}

// Moves the box to the centre of its owner, kept within the owner's monitor.
void CentreOverOwner(HWND box) {
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
}

// When the message box is activated for the first time: its buttons speak the program's language
// (the system's box speaks the system's), and it stands over its owner.
LRESULT CALLBACK PrepareBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_boxHook) {
    HWND box = reinterpret_cast<HWND>(wParam);
    for (const auto& [id, button] :
         {std::pair{IDYES, mbYes}, {IDNO, mbNo}, {IDOK, mbOK}, {IDCANCEL, mbCancel}}) {
      if (HWND item = GetDlgItem(box, id)) SetWindowTextW(item, ButtonLabel(button).c_str());
    }
    if (g_centreOver) CentreOverOwner(box);
    UnhookWindowsHookEx(g_boxHook);
    g_boxHook = nullptr;
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
  // Over a form that reads right to left, the box does too, its text aligned right.
  if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_RTLREADING)) {
    flags |= MB_RTLREADING | MB_RIGHT;
  }
  g_centreOver = owner && IsWindowVisible(owner) ? owner : nullptr;
  g_boxHook = SetWindowsHookExW(WH_CBT, PrepareBox, nullptr, GetCurrentThreadId());
  const int pressed = MessageBoxW(owner, Wide(box.Text).c_str(), Wide(box.Caption).c_str(), flags);
  if (g_boxHook) UnhookWindowsHookEx(g_boxHook);
  g_boxHook = nullptr;
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
