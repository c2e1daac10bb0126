// The window front-end: real windows made from the form's component tree, kept in step with the
// controls' properties through the change hook.
#include "framework/ui/PlatformFrontEnd.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/ui/win32/Win32Support.h"

// After the framework's headers: windows.h defines macros (RGB, DEFAULT_CHARSET) with the names
// of the framework's own constants.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <commdlg.h>

namespace wdx {

namespace {

// Posted to the form: run the activation event once the window is on screen.
constexpr UINT kActivateMessage = WM_APP + 1;
// Posted to the form: wakes the message loop so that it sees a closed form.
constexpr UINT kWakeMessage = WM_APP + 2;
// Child window ids start above the dialog manager's IDOK and IDCANCEL.
constexpr int kFirstControlId = 100;

const char kFormClass[] = "WdxForm";
const char kContainerClass[] = "WdxContainer";

COLORREF ColorRefOf(TColor color) {
  const auto value = static_cast<uint32_t>(color);
  if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
  if (value == 0x1FFFFFFFu || value == 0x20000000u) return GetSysColor(COLOR_WINDOW);
  return value & 0x00FFFFFFu;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

// The page a page control shows: its active page when that page's tab is visible, otherwise
// the first page whose tab is.
TTabSheet* DisplayedPage(const TPageControl& pages) {
  TTabSheet* active = pages.ActivePage();
  if (active && active->Parent() == &pages && active->TabVisible()) return active;
  for (TTabSheet* page : pages.Pages()) {
    if (page->TabVisible()) return page;
  }
  return nullptr;
}

// A parent's child controls in window order: windowed controls by tab order (which is also the
// dialog manager's order), then the others, which lie beneath them.
std::vector<TControl*> ChildrenInWindowOrder(const TWinControl& parent) {
  std::vector<TControl*> windowed;
  std::vector<TControl*> others;
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    (dynamic_cast<TWinControl*>(child) ? windowed : others).push_back(child);
  }
  auto order = [](const TControl* control) {
    const int32_t tab = static_cast<const TWinControl*>(control)->TabOrder();
    return tab < 0 ? INT32_MAX : tab;
  };
  std::stable_sort(windowed.begin(), windowed.end(),
                   [&](const TControl* a, const TControl* b) { return order(a) < order(b); });
  windowed.insert(windowed.end(), others.begin(), others.end());
  return windowed;
}

class Session;
Session* g_session = nullptr;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data);

class Session {
 public:
  explicit Session(TCustomForm& form) : form_(form) {}

  int Run() {
    g_session = this;
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    RegisterClasses();
    SetMessageBoxPresenter([this](const TMessageBox& box) { return ShowBox(box); });
    TOpenDialog::SetPresenter(
        [this](TOpenDialog& dialog, std::string& chosen) { return ShowOpen(dialog, chosen); });
    TControl::SetChangeHook([this](TControl& control) { Changed(control); });

    if (!CreateFormWindow()) {
      std::cerr << "The dialog's window cannot be created: there is no desktop to show it on; "
                   "set WENDRIX_UI=script:<file> to run it from a script.\n";
      EndSession();
      return 2;
    }
    ShowWindow(form_window_, SW_SHOWNORMAL);
    UpdateWindow(form_window_);
    // Activation normally arrives with WM_ACTIVATE; a window that the desktop shows without
    // activating it still gets its activation event once.
    QueueActivation();
    if (!IsOurs(GetFocus())) FocusFirst();

    MSG message;
    while (!form_.IsClosed()) {
      const BOOL got = GetMessageA(&message, nullptr, 0, 0);
      if (got <= 0) break;
      if (HandleTabKey(message) || HandleReturnKey(message)) continue;
      if (form_window_ && IsDialogMessageA(form_window_, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }

    if (form_window_) DestroyWindow(form_window_);
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    EndSession();
    return 0;
  }

  LRESULT FormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ChildNotification(message, wParam, lParam, result)) return result;
    switch (message) {
      case WM_ERASEBKGND:
        return FillBackground(window, reinterpret_cast<HDC>(wParam), form_.EffectiveColor());
      case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
          if (IsOurs(GetFocus())) last_focus_ = GetFocus();
        } else {
          QueueActivation();
          if (last_focus_ && IsWindow(last_focus_) && IsWindowVisible(last_focus_)) {
            SetFocus(last_focus_);
          } else {
            FocusFirst();
          }
          return 0;
        }
        break;
      case kActivateMessage:
        DispatchEvent(&form_, [&] { form_.Activate(); });
        return 0;
      case kWakeMessage:
        return 0;
      case DM_GETDEFID:
        if (TButton* button = DefaultButton()) {
          return MAKELRESULT(GetDlgCtrlID(WindowOf(button)), DC_HASDEFID);
        }
        return 0;
      case WM_CLOSE:
        // Only a form with a system menu has a close box that the desktop may press.
        if (form_.BorderIcons().Contains(biSystemMenu)) {
          DispatchEvent(&form_, [&] { form_.Close(); });
        }
        return 0;
      case WM_DESTROY:
        form_window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  LRESULT ContainerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ChildNotification(message, wParam, lParam, result)) return result;
    TControl* control = ControlOf(window);
    switch (message) {
      case WM_ERASEBKGND:
        if (!control) break;
        return FillBackground(window, reinterpret_cast<HDC>(wParam), control->EffectiveColor());
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (auto* panel = dynamic_cast<TPanel*>(control)) PaintPanel(window, dc, *panel);
        EndPaint(window, &paint);
        return 0;
      }
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  // Group boxes and tab controls pass their children's notifications on to the session.
  LRESULT ForwardedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ChildNotification(message, wParam, lParam, result)) return result;
    // A group box draws only its frame and caption; its inside shows its own colour.
    if (message == WM_ERASEBKGND) {
      if (auto* box = dynamic_cast<TGroupBox*>(ControlOf(window))) {
        return FillBackground(window, reinterpret_cast<HDC>(wParam), box->EffectiveColor());
      }
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }

 private:
  using FontKey = std::tuple<std::string, int32_t, int, uint32_t>;

  // ---- windows -------------------------------------------------------------------------

  void RegisterClasses() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA form{};
    form.cbSize = sizeof(form);
    form.lpfnWndProc = FormProc;
    form.hInstance = instance;
    form.hCursor = LoadCursor(nullptr, IDC_ARROW);
    form.hIcon =
        static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                      GetSystemMetrics(SM_CYICON), LR_SHARED));
    form.hIconSm = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!form.hIcon) form.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    form.lpszClassName = kFormClass;
    RegisterClassExA(&form);

    WNDCLASSEXA container{};
    container.cbSize = sizeof(container);
    container.lpfnWndProc = ContainerProc;
    container.hInstance = instance;
    container.hCursor = LoadCursor(nullptr, IDC_ARROW);
    container.lpszClassName = kContainerClass;
    RegisterClassExA(&container);
  }

  void EndSession() {
    TControl::SetChangeHook(nullptr);
    SetMessageBoxPresenter(nullptr);
    TOpenDialog::SetPresenter(nullptr);
    Release();
    g_session = nullptr;
  }

  bool CreateFormWindow() {
    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    bool captioned = true;
    switch (form_.BorderStyle()) {
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
    const TBorderIcons icons = form_.BorderIcons();
    if (captioned && icons.Contains(biSystemMenu)) {
      style |= WS_SYSMENU;
      if (form_.BorderStyle() != bsDialog) {
        if (icons.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
        if (icons.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
      }
    }
    RECT rect{0, 0, form_.ClientWidth(), form_.ClientHeight()};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int left = form_.Left();
    int top = form_.Top();
    switch (form_.Position()) {
      case poDesigned:
        break;
      case poScreenCenter:
      case poDesktopCenter:
      case poMainFormCenter:
      case poOwnerFormCenter:
        left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        break;
      default:
        left = top = CW_USEDEFAULT;
        break;
    }
    form_window_ =
        CreateWindowExA(exStyle, kFormClass, form_.Caption().c_str(), style, left, top, width,
                        height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!form_window_) return false;
    Register(&form_, form_window_);
    ApplyIcons();
    CreateChildren(form_);
    return true;
  }

  void CreateChildren(const TWinControl& parent) {
    if (auto* pages = dynamic_cast<const TPageControl*>(&parent)) {
      for (TTabSheet* page : pages->Pages()) CreateControl(*page);
      RebuildTabs(*pages);
      return;
    }
    for (TControl* child : ChildrenInWindowOrder(parent)) CreateControl(*child);
  }

  void CreateControl(TControl& control) {
    HWND parent = WindowOf(control.Parent());
    if (!parent) return;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    const char* windowClass = kContainerClass;
    std::string text = control.Caption();
    bool forwards = false;
    if (auto* button = dynamic_cast<TButton*>(&control)) {
      windowClass = "BUTTON";
      style |= button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
      windowClass = "EDIT";
      style |= ES_AUTOHSCROLL | (edit->ReadOnly() ? ES_READONLY : 0);
      exStyle |= WS_EX_CLIENTEDGE;
    } else if (auto* label = dynamic_cast<TLabel*>(&control)) {
      windowClass = "STATIC";
      style |= label->WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP;
    } else if (dynamic_cast<TGroupBox*>(&control)) {
      windowClass = "BUTTON";
      style |= BS_GROUPBOX | WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      forwards = true;
    } else if (dynamic_cast<TImage*>(&control)) {
      windowClass = "STATIC";
      style |= SS_ICON;
      text.clear();
    } else if (dynamic_cast<TPageControl*>(&control)) {
      windowClass = WC_TABCONTROLA;
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      text.clear();
      forwards = true;
    } else {
      // Tab sheets, panels and any other container.
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      if (dynamic_cast<TTabSheet*>(&control)) text.clear();
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->TabStop()) {
      style |= WS_TABSTOP;
    }
    if (!control.Enabled()) style |= WS_DISABLED;
    const RECT bounds = DesignBounds(control);
    HWND window =
        CreateWindowExA(exStyle, windowClass, text.c_str(), style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(next_id_++)),
                        GetModuleHandleA(nullptr), nullptr);
    if (!window) return;
    Register(&control, window);
    if (forwards) SetWindowSubclass(window, ForwardingProc, 1, 0);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control.EffectiveFont())),
                 FALSE);
    if (auto* image = dynamic_cast<TImage*>(&control)) ApplyPicture(*image);
    if (auto* label = dynamic_cast<TLabel*>(&control)) FitLabel(*label);
    if (auto* windowed = dynamic_cast<TWinControl*>(&control)) CreateChildren(*windowed);
    if (dynamic_cast<TTabSheet*>(&control)) return;  // the page control shows its pages
    if (control.Visible()) ShowWindow(window, SW_SHOWNA);
  }

  // The control's rectangle in its parent window's client area. A tab sheet fills its tab
  // control's display area; a tab sheet's inner border moves its controls inwards.
  RECT DesignBounds(const TControl& control) {
    if (dynamic_cast<const TTabSheet*>(&control)) {
      RECT area{};
      if (HWND tabs = WindowOf(control.Parent())) {
        GetClientRect(tabs, &area);
        TabCtrl_AdjustRect(tabs, FALSE, &area);
      }
      return area;
    }
    int32_t inset = 0;
    if (auto* page = dynamic_cast<const TTabSheet*>(control.Parent())) inset = page->BorderWidth();
    const int32_t left = control.Left() + inset;
    const int32_t top = control.Top() + inset;
    return RECT{left, top, left + control.Width(), top + control.Height()};
  }

  void Register(TControl* control, HWND window) {
    windows_[control] = window;
    controls_[window] = control;
  }

  HWND WindowOf(const TControl* control) const {
    const auto found = windows_.find(const_cast<TControl*>(control));
    return found == windows_.end() ? nullptr : found->second;
  }

  TControl* ControlOf(HWND window) const {
    const auto found = controls_.find(window);
    return found == controls_.end() ? nullptr : found->second;
  }

  bool IsOurs(HWND window) const {
    return window && form_window_ && (window == form_window_ || IsChild(form_window_, window));
  }

  // ---- pages ---------------------------------------------------------------------------

  // Fills the tab control with the pages whose tabs are visible, selects the displayed page's
  // tab and shows that page. The tabs are made anew only when their pages or captions changed.
  void RebuildTabs(const TPageControl& pages) {
    HWND tabs = WindowOf(&pages);
    if (!tabs) return;
    std::vector<TTabSheet*> visible;
    std::vector<std::string> captions;
    for (TTabSheet* page : pages.Pages()) {
      if (!page->TabVisible()) continue;
      visible.push_back(page);
      captions.push_back(page->Caption());
    }
    std::vector<TTabSheet*>& shown = tab_pages_[&pages];
    std::vector<std::string>& shownCaptions = tab_captions_[&pages];
    if (visible != shown || captions != shownCaptions) {
      TabCtrl_DeleteAllItems(tabs);
      for (size_t i = 0; i < visible.size(); ++i) {
        std::string caption = captions[i];
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
      }
      shown = visible;
      shownCaptions = captions;
    }
    const auto at = std::find(shown.begin(), shown.end(), DisplayedPage(pages));
    const int index = at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
    if (TabCtrl_GetCurSel(tabs) != index) TabCtrl_SetCurSel(tabs, index);
    LayoutPages(pages);
  }

  void LayoutPages(const TPageControl& pages) {
    TTabSheet* displayed = DisplayedPage(pages);
    for (TTabSheet* page : pages.Pages()) {
      HWND window = WindowOf(page);
      if (!window) continue;
      const RECT area = DesignBounds(*page);
      SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (page != displayed) ShowWindow(window, SW_HIDE);
    }
    if (HWND window = WindowOf(displayed)) ShowWindow(window, SW_SHOWNA);
  }

  void TabChanged(TPageControl& pages) {
    HWND tabs = WindowOf(&pages);
    const int index = TabCtrl_GetCurSel(tabs);
    const std::vector<TTabSheet*>& shown = tab_pages_[&pages];
    if (index < 0 || index >= static_cast<int>(shown.size())) return;
    TTabSheet* page = shown[static_cast<size_t>(index)];
    DispatchEvent(&pages, [&] {
      pages.SetActivePage(page);
      pages.OnChange(&pages);
    });
    LayoutPages(pages);
  }

  // ---- keyboard ------------------------------------------------------------------------

  void FocusFirst() {
    std::vector<HWND> stops;
    CollectTabStops(form_, stops);
    if (!stops.empty()) Focus(stops.front());
  }

  void Focus(HWND window) {
    SetFocus(window);
    if (dynamic_cast<TEdit*>(ControlOf(window))) SendMessageA(window, EM_SETSEL, 0, -1);
  }

  // The windows that Tab visits, in tab order: within each parent by TabOrder, a container's
  // controls right after the container, only what is shown and enabled.
  void CollectTabStops(const TWinControl& parent, std::vector<HWND>& stops) {
    std::vector<TControl*> children;
    if (auto* pages = dynamic_cast<const TPageControl*>(&parent)) {
      if (TTabSheet* page = DisplayedPage(*pages)) children.push_back(page);
    } else {
      children = ChildrenInWindowOrder(parent);
    }
    for (TControl* child : children) {
      auto* windowed = dynamic_cast<TWinControl*>(child);
      HWND window = WindowOf(child);
      if (!windowed || !window || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
      if (windowed->TabStop()) stops.push_back(window);
      CollectTabStops(*windowed, stops);
    }
  }

  bool HandleTabKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (!IsOurs(message.hwnd) || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) {
      return false;
    }
    std::vector<HWND> stops;
    CollectTabStops(form_, stops);
    if (stops.empty()) return true;
    HWND focus = GetFocus();
    while (focus && std::find(stops.begin(), stops.end(), focus) == stops.end() &&
           focus != form_window_) {
      focus = GetParent(focus);
    }
    const auto at = std::find(stops.begin(), stops.end(), focus);
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    size_t next = 0;
    const size_t count = stops.size();
    if (at == stops.end()) {
      next = backwards ? count - 1 : 0;
    } else {
      const size_t index = static_cast<size_t>(at - stops.begin());
      next = backwards ? (index + count - 1) % count : (index + 1) % count;
    }
    Focus(stops[next]);
    return true;
  }

  // Enter on a focused push button presses that button; elsewhere the dialog manager gives it
  // to the default button.
  bool HandleReturnKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
    HWND focus = GetFocus();
    if (!IsOurs(focus) || !dynamic_cast<TButton*>(ControlOf(focus))) return false;
    SendMessageA(focus, BM_CLICK, 0, 0);
    return true;
  }

  TButton* DefaultButton() const {
    for (const auto& [control, window] : windows_) {
      auto* button = dynamic_cast<TButton*>(control);
      if (button && button->Default() && IsWindowVisible(window)) return button;
    }
    return nullptr;
  }

  // ---- events --------------------------------------------------------------------------

  // The notifications that controls send to their parent window; true when handled.
  bool ChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
      case WM_COMMAND: {
        auto* window = reinterpret_cast<HWND>(lParam);
        TControl* control = window ? ControlOf(window) : nullptr;
        if (!control) return false;
        const UINT code = HIWORD(wParam);
        if (auto* button = dynamic_cast<TButton*>(control); button && code == BN_CLICKED) {
          DispatchEvent(button, [&] { button->Click(); });
          AfterEvent();
        } else if (auto* edit = dynamic_cast<TEdit*>(control);
                   edit && code == EN_CHANGE && !updating_) {
          const std::string text = WindowText(window);
          DispatchEvent(edit, [&] { edit->SetText(text); });
          AfterEvent();
        }
        result = 0;
        return true;
      }
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        auto* pages = dynamic_cast<TPageControl*>(ControlOf(header->hwndFrom));
        if (!pages) return false;
        if (header->code == TCN_SELCHANGE && !updating_) {
          TabChanged(*pages);
          AfterEvent();
        }
        result = 0;
        return true;
      }
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORBTN: {
        auto* window = reinterpret_cast<HWND>(lParam);
        TControl* control = ControlOf(window);
        if (!control) return false;
        auto* dc = reinterpret_cast<HDC>(wParam);
        if (dynamic_cast<TEdit*>(control) && !IsWindowEnabled(window)) return false;
        TColor background = control->EffectiveColor();
        if (auto* label = dynamic_cast<TLabel*>(control); label && label->Transparent()) {
          SetBkMode(dc, TRANSPARENT);
          if (label->Parent()) background = label->Parent()->EffectiveColor();
        } else {
          SetBkColor(dc, ColorRefOf(background));
        }
        if (message != WM_CTLCOLORBTN) SetTextColor(dc, ColorRefOf(control->EffectiveFont().Color));
        result = reinterpret_cast<LRESULT>(BrushOf(background));
        return true;
      }
    }
    return false;
  }

  void QueueActivation() {
    if (activation_queued_ || !form_window_) return;
    activation_queued_ = true;
    PostMessageA(form_window_, kActivateMessage, 0, 0);
  }

  void AfterEvent() {
    if (form_.IsClosed() && form_window_) PostMessageA(form_window_, kWakeMessage, 0, 0);
  }

  // ---- property changes ----------------------------------------------------------------

  void Changed(TControl& control) {
    if (&control == &form_) {
      ApplyForm();
      return;
    }
    HWND window = WindowOf(&control);
    if (!window) return;
    const bool wasUpdating = updating_;
    updating_ = true;
    if (auto* page = dynamic_cast<TTabSheet*>(&control)) {
      if (auto* pages = page->PageControl()) RebuildTabs(*pages);
    } else if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
      MoveToDesign(control, window);
      RebuildTabs(*pages);
    } else {
      if (!dynamic_cast<TImage*>(&control) && WindowText(window) != control.Caption()) {
        SetWindowTextA(window, control.Caption().c_str());
      }
      MoveToDesign(control, window);
      if (auto* label = dynamic_cast<TLabel*>(&control)) {
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE) & ~LONG_PTR{SS_TYPEMASK};
        SetWindowLongPtrA(window, GWL_STYLE,
                          style | (label->WordWrap() ? SS_LEFT : SS_LEFTNOWORDWRAP));
        FitLabel(*label);
      } else if (auto* button = dynamic_cast<TButton*>(&control)) {
        SendMessageA(window, BM_SETSTYLE, button->Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
      } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        SendMessageA(window, EM_SETREADONLY, edit->ReadOnly(), 0);
      } else if (auto* image = dynamic_cast<TImage*>(&control)) {
        ApplyPicture(*image);
      }
      const bool shown = control.Visible();
      if (((GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0) != shown) {
        ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
      }
    }
    if ((IsWindowEnabled(window) != FALSE) != control.Enabled()) {
      EnableWindow(window, control.Enabled());
    }
    ApplyFonts(control);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    updating_ = wasUpdating;
  }

  void ApplyForm() {
    if (!form_window_) return;
    if (form_.IsClosed()) {
      PostMessageA(form_window_, kWakeMessage, 0, 0);
      return;
    }
    if (WindowText(form_window_) != form_.Caption()) {
      SetWindowTextA(form_window_, form_.Caption().c_str());
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(form_window_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(form_window_, GWL_EXSTYLE));
    RECT rect{0, 0, form_.ClientWidth(), form_.ClientHeight()};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (form_.Position() != poDesigned) flags |= SWP_NOMOVE;
    SetWindowPos(form_window_, nullptr, form_.Left(), form_.Top(), rect.right - rect.left,
                 rect.bottom - rect.top, flags);
    ApplyIcons();
    ApplyFonts(form_);
    RedrawWindow(form_window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }

  void MoveToDesign(const TControl& control, HWND window) {
    const RECT bounds = DesignBounds(control);
    RECT now{};
    GetWindowRect(window, &now);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
    if (!EqualRect(&now, &bounds)) {
      SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (auto* pages = dynamic_cast<const TPageControl*>(&control)) LayoutPages(*pages);
    }
  }

  // A label that sizes itself takes its text's extent: its width and height when it does not
  // wrap, its height at its width when it does.
  void FitLabel(const TLabel& label) {
    HWND window = WindowOf(&label);
    if (!window || !label.AutoSize()) return;
    const RECT bounds = DesignBounds(label);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, FontOf(label.EffectiveFont()));
    const int designWidth = bounds.right - bounds.left;
    const std::string text = label.Caption().empty() ? " " : label.Caption();
    auto measure = [&](UINT format) {
      RECT extent{0, 0, designWidth, 0};
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent,
                DT_CALCRECT | DT_EXPANDTABS | format);
      return extent;
    };
    RECT extent = measure(0);
    int width = extent.right;
    if (label.WordWrap()) {
      // The design width fits the text in the designer's font; where this system's font makes
      // a one-line text a little wider, the line stays whole rather than losing its last word
      // to a second line.
      if (text.find_first_of("\r\n") != std::string::npos ||
          width > designWidth + designWidth / 10) {
        extent = measure(DT_WORDBREAK);
        width = designWidth;
      } else {
        width = std::max(width, designWidth);
      }
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    SetWindowPos(window, nullptr, 0, 0, width, extent.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  void ApplyFonts(const TControl& control) {
    if (HWND window = WindowOf(&control); window && &control != &form_) {
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control.EffectiveFont())),
                   TRUE);
    }
    if (auto* windowed = dynamic_cast<const TWinControl*>(&control)) {
      for (int i = 0; i < windowed->ControlCount(); ++i) ApplyFonts(*windowed->Controls(i));
    }
  }

  // ---- painting and GDI objects ----------------------------------------------------------

  LRESULT FillBackground(HWND window, HDC dc, TColor color) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, BrushOf(color));
    return 1;
  }

  void PaintPanel(HWND window, HDC dc, const TPanel& panel) {
    RECT rect;
    GetClientRect(window, &rect);
    auto bevel = [&](TBevelCut cut, UINT lowered, UINT raised) {
      if (cut == bvLowered) DrawEdge(dc, &rect, lowered, BF_RECT | BF_ADJUST);
      if (cut == bvRaised) DrawEdge(dc, &rect, raised, BF_RECT | BF_ADJUST);
      if (cut == bvSpace) InflateRect(&rect, -1, -1);
    };
    bevel(panel.BevelOuter(), BDR_SUNKENOUTER, BDR_RAISEDOUTER);
    bevel(panel.BevelInner(), BDR_SUNKENINNER, BDR_RAISEDINNER);
    if (panel.Caption().empty()) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorRefOf(panel.EffectiveFont().Color));
    HGDIOBJ old = SelectObject(dc, FontOf(panel.EffectiveFont()));
    DrawTextA(dc, panel.Caption().c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  }

  HFONT FontOf(const TFont& font) {
    const FontKey key{font.Name, font.Height, static_cast<int>(font.Charset), font.Style.Bits()};
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    HFONT handle = CreateFontA(
        font.Height, 0, 0, 0, font.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL,
        font.Style.Contains(fsItalic), font.Style.Contains(fsUnderline),
        font.Style.Contains(fsStrikeOut), static_cast<DWORD>(font.Charset), OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
    fonts_[key] = handle;
    return handle;
  }

  HBRUSH BrushOf(TColor color) {
    const auto value = static_cast<uint32_t>(color);
    if (value & 0x80000000u) return GetSysColorBrush(static_cast<int>(value & 0xFF));
    const COLORREF rgb = ColorRefOf(color);
    if (const auto found = brushes_.find(rgb); found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(rgb);
    brushes_[rgb] = brush;
    return brush;
  }

  HICON IconOf(const std::vector<uint8_t>& file, int size) {
    win32::IconImageRef image;
    if (!win32::BestIconImage(file, size, image)) return nullptr;
    // CreateIconFromResourceEx does not write through its pointer.
    auto* bits = const_cast<PBYTE>(file.data() + image.Offset);
    HICON icon = CreateIconFromResourceEx(bits, static_cast<DWORD>(image.Size), TRUE, 0x00030000,
                                          image.Width, image.Height, LR_DEFAULTCOLOR);
    if (icon) icons_.push_back(icon);
    return icon;
  }

  void ApplyIcons() {
    const TIcon* icon = form_.Icon();
    if (!form_window_ || !icon || icon->Empty() || icon->Data() == form_icon_data_) return;
    form_icon_data_ = icon->Data();
    if (HICON big = IconOf(icon->Data(), GetSystemMetrics(SM_CXICON))) {
      SendMessageA(form_window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (HICON small = IconOf(icon->Data(), GetSystemMetrics(SM_CXSMICON))) {
      SendMessageA(form_window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
  }

  void ApplyPicture(const TImage& image) {
    HWND window = WindowOf(&image);
    const std::vector<uint8_t>& data = image.Picture()->Icon().Data();
    if (!window || picture_data_[&image] == data) return;
    picture_data_[&image] = data;
    HICON icon = data.empty() ? nullptr : IconOf(data, std::max(image.Width(), image.Height()));
    SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    MoveToDesign(image, window);
  }

  void Release() {
    for (const auto& [key, font] : fonts_) DeleteObject(font);
    for (const auto& [rgb, brush] : brushes_) DeleteObject(brush);
    for (HICON icon : icons_) DestroyIcon(icon);
    fonts_.clear();
    brushes_.clear();
    icons_.clear();
    windows_.clear();
    controls_.clear();
  }

  // ---- modal boxes -----------------------------------------------------------------------

  TModalResult ShowBox(const TMessageBox& box) {
    UINT flags = MB_TASKMODAL | MB_SETFOREGROUND;
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
    flags |= box.Buttons.Contains(mbYes) || box.Buttons.Contains(mbNo) ? MB_YESNO : MB_OK;
    const int pressed = MessageBoxA(form_window_, box.Text.c_str(), box.Caption.c_str(), flags);
    if (pressed == IDYES) return mrYes;
    if (pressed == IDNO) return mrNo;
    return mrOK;
  }

  bool ShowOpen(TOpenDialog& dialog, std::string& chosen) {
    const std::string filter = win32::FilterList(dialog.Filter);
    std::vector<char> file(32768, '\0');
    dialog.FileName.copy(file.data(), file.size() - 1);
    OPENFILENAMEA open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = form_window_;
    open.lpstrFilter = dialog.Filter.empty() ? nullptr : filter.c_str();
    open.nFilterIndex = static_cast<DWORD>(std::max(dialog.FilterIndex, 0));
    open.lpstrFile = file.data();
    open.nMaxFile = static_cast<DWORD>(file.size());
    open.lpstrInitialDir = dialog.InitialDir.empty() ? nullptr : dialog.InitialDir.c_str();
    open.lpstrTitle = dialog.Title.empty() ? nullptr : dialog.Title.c_str();
    open.lpstrDefExt = dialog.DefaultExt.empty() ? nullptr : dialog.DefaultExt.c_str();
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&open)) return false;
    chosen = file.data();
    return true;
  }

  TCustomForm& form_;
  HWND form_window_ = nullptr;
  HWND last_focus_ = nullptr;
  int next_id_ = kFirstControlId;
  bool activation_queued_ = false;
  // Set while the session itself changes windows, so that their notifications are not taken
  // for the user's.
  bool updating_ = false;
  std::map<TControl*, HWND> windows_;
  std::map<HWND, TControl*> controls_;
  std::map<const TPageControl*, std::vector<TTabSheet*>> tab_pages_;
  std::map<const TPageControl*, std::vector<std::string>> tab_captions_;
  std::map<FontKey, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  std::vector<HICON> icons_;
  std::vector<uint8_t> form_icon_data_;
  std::map<const TImage*, std::vector<uint8_t>> picture_data_;
};

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_session) return DefWindowProcA(window, message, wParam, lParam);
  return g_session->FormMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_session) return DefWindowProcA(window, message, wParam, lParam);
  return g_session->ContainerMessage(window, message, wParam, lParam);
}

LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data) {
  (void)id;
  (void)data;
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ForwardingProc, 1);
  if (!g_session) return DefSubclassProc(window, message, wParam, lParam);
  return g_session->ForwardedMessage(window, message, wParam, lParam);
}

class TWindowFrontEnd : public TFrontEnd {
 public:
  int Run(TCustomForm& form) override { return Session(form).Run(); }
};

}  // namespace

// The system's own file-open dialog browses the file system itself.
std::unique_ptr<TFrontEnd> CreatePlatformFrontEnd(int& exitCode, TFileBrowsing /*files*/) {
  exitCode = 0;
  return std::make_unique<TWindowFrontEnd>();
}

}  // namespace wdx
