#include "framework/ui/win32/WidgetBuilder.h"

#include <algorithm>
#include <string>

#include "framework/ui/win32/Layout.h"

// After windows.h, which it needs.
#include <uxtheme.h>

namespace wdx::win32 {

namespace {

// Child window ids start above the dialog manager's IDOK and IDCANCEL.
constexpr int kFirstControlId = 100;

const char kFormClass[] = "WdxForm";
const char kContainerClass[] = "WdxContainer";

// The window styles of a form's border style and border icons.
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

}  // namespace

TWidgetBuilder::TWidgetBuilder(TWindowMap& windows, TGdiCache& gdi, TPageTabs& tabs,
                               const TWindowProcedures& procedures)
    : windows_(windows),
      gdi_(gdi),
      tabs_(tabs),
      procedures_(procedures),
      nextId_(kFirstControlId) {}

bool TWidgetBuilder::Build(TCustomForm& form) {
  RegisterClasses();
  DWORD style = 0;
  DWORD exStyle = 0;
  FormStyles(form, style, exStyle);
  RECT rect{0, 0, form.ClientWidth(), form.ClientHeight()};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  int left = form.Left();
  int top = form.Top();
  switch (form.Position()) {
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
  HWND window =
      CreateWindowExA(exStyle, kFormClass, form.Caption().c_str(), style, left, top, width, height,
                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) return false;
  windows_.SetFormWindow(window);
  windows_.Register(&form, window);
  ApplyIcons(form);
  CreateChildren(form);
  return true;
}

void TWidgetBuilder::RegisterClasses() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA form{};
  form.cbSize = sizeof(form);
  form.lpfnWndProc = procedures_.Form;
  form.hInstance = instance;
  form.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form.hIcon =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  form.hIconSm =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (!form.hIcon) form.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  form.lpszClassName = kFormClass;
  RegisterClassExA(&form);

  WNDCLASSEXA container{};
  container.cbSize = sizeof(container);
  container.lpfnWndProc = procedures_.Container;
  container.hInstance = instance;
  container.hCursor = LoadCursor(nullptr, IDC_ARROW);
  container.lpszClassName = kContainerClass;
  RegisterClassExA(&container);
}

void TWidgetBuilder::CreateChildren(const TWinControl& parent) {
  if (auto* pages = dynamic_cast<const TPageControl*>(&parent)) {
    for (TTabSheet* page : pages->Pages()) CreateControl(*page);
    tabs_.Rebuild(*pages);
    return;
  }
  for (TControl* child : ChildrenInWindowOrder(parent)) CreateControl(*child);
}

void TWidgetBuilder::CreateControl(TControl& control) {
  HWND parent = windows_.WindowOf(control.Parent());
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
  const RECT bounds = DesignBounds(windows_, control);
  HWND window = CreateWindowExA(exStyle, windowClass, text.c_str(), style, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)),
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) return;
  windows_.Register(&control, window);
  if (forwards) SetWindowSubclass(window, procedures_.Forwarding, 1, 0);
  // A themed group box draws its caption in the theme's colour; the classic one takes the
  // caption's font colour, as the form designs it.
  if (dynamic_cast<TGroupBox*>(&control)) SetWindowTheme(window, L" ", L" ");
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(gdi_.FontOf(control.EffectiveFont())),
               FALSE);
  if (auto* image = dynamic_cast<TImage*>(&control)) ApplyPicture(*image);
  if (auto* label = dynamic_cast<TLabel*>(&control)) FitLabel(windows_, gdi_, *label);
  if (auto* windowed = dynamic_cast<TWinControl*>(&control)) CreateChildren(*windowed);
  if (dynamic_cast<TTabSheet*>(&control)) return;  // the page control shows its pages
  if (control.Visible()) ShowWindow(window, SW_SHOWNA);
}

void TWidgetBuilder::MoveToDesign(const TControl& control, HWND window) {
  const RECT bounds = DesignBounds(windows_, control);
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (!EqualRect(&now, &bounds)) {
    SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (auto* pages = dynamic_cast<const TPageControl*>(&control)) tabs_.Layout(*pages);
  }
}

void TWidgetBuilder::ApplyIcons(const TCustomForm& form) {
  HWND window = windows_.FormWindow();
  const TIcon* icon = form.Icon();
  if (!window || !icon || icon->Empty() || icon->Data() == formIconData_) return;
  formIconData_ = icon->Data();
  if (HICON big = gdi_.IconOf(icon->Data(), GetSystemMetrics(SM_CXICON))) {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (HICON small = gdi_.IconOf(icon->Data(), GetSystemMetrics(SM_CXSMICON))) {
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

void TWidgetBuilder::ApplyPicture(const TImage& image) {
  HWND window = windows_.WindowOf(&image);
  const std::vector<uint8_t>& data = image.Picture()->Icon().Data();
  if (!window || pictureData_[&image] == data) return;
  pictureData_[&image] = data;
  HICON icon = data.empty() ? nullptr : gdi_.IconOf(data, std::max(image.Width(), image.Height()));
  SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  MoveToDesign(image, window);
}

}  // namespace wdx::win32
