#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/Win32Support.h"

#include <algorithm>
#include <string>

#include "framework/ui/FocusOrder.h"
#include "framework/ui/win32/FormPlacement.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/WindowTexts.h"

// After windows.h, which it needs.
#include <uxtheme.h>

namespace wdx::win32 {

namespace {

// Child window ids start above the dialog manager's IDOK and IDCANCEL.
constexpr int kFirstControlId = 100;

const wchar_t kFormClass[] = L"WdxForm";
const wchar_t kContainerClass[] = L"WdxContainer";

}  // namespace

TWidgetBuilder::TWidgetBuilder(TWindowMap& windows, TGdiCache& gdi, TPageTabs& tabs,
                               const TWindowProcedures& procedures)
    : windows_(windows),
      gdi_(gdi),
      tabs_(tabs),
      procedures_(procedures),
      context_{windows, gdi, tabs, *this},
      nextId_(kFirstControlId) {}

bool TWidgetBuilder::Build(TCustomForm& form, int dpi, HWND owner) {
  RegisterClasses();
  DWORD style = 0;
  DWORD exStyle = 0;
  FormStyles(form, style, exStyle);
  // At the monitor's DPI, unless the window would not fit its work area there.
  windows_.SetScale(
      {form.PixelsPerInch, dpi > 0 ? dpi : FittingDpi(form, MonitorDpi(FormMonitor(form)))});
  const RECT rect = FormWindowRect(form, windows_.Scale());
  placedLeft_ = form.Left();
  placedTop_ = form.Top();
  HWND window = CreateWindowExW(exStyle, kFormClass, Wide(form.Caption()).c_str(), style, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, owner,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  FitClientArea(window, form, windows_.Scale());
  windows_.SetFormWindow(window);
  windows_.Register(&form, window);
  ApplyIcons(form);
  CreateChildren(form);
  return true;
}

void TWidgetBuilder::PlaceForm(const TCustomForm& form) {
  HWND window = windows_.FormWindow();
  if (!window) return;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  RECT rect{};
  if (form.Left() != placedLeft_ || form.Top() != placedTop_) {
    rect = FormWindowRect(form, windows_.Scale());
    placedLeft_ = form.Left();
    placedTop_ = form.Top();
  } else {
    const SIZE size = FormWindowSize(form, windows_.Scale());
    rect = {0, 0, size.cx, size.cy};
    flags |= SWP_NOMOVE;
  }
  if (form.Position() != poDesigned) flags |= SWP_NOMOVE;
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               flags);
  FitClientArea(window, form, windows_.Scale());
}

void TWidgetBuilder::Rescale(const TCustomForm& form, int dpi, const RECT& suggested) {
  HWND window = windows_.FormWindow();
  if (!window) return;
  windows_.SetScale({form.PixelsPerInch, dpi});
  const SIZE size = FormWindowSize(form, windows_.Scale());
  SetWindowPos(window, nullptr, suggested.left, suggested.top, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  FitClientArea(window, form, windows_.Scale());
  ApplyIcons(form);
  Relayout(form);
}

namespace {

constexpr LONG_PTR kReadingOrder = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

// An edit holds what the user types (a host, an address, a path), which reads left to right
// wherever it stands: it is mirrored with the form, its text aligned right, but keeps its reading
// order.
BOOL CALLBACK SetReadingOrder(HWND window, LPARAM order) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpiW(className, WC_EDITW) == 0) order &= ~static_cast<LPARAM>(WS_EX_RTLREADING);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  SetWindowLongPtrW(window, GWL_EXSTYLE, (style & ~kReadingOrder) | order);
  return TRUE;
}

}  // namespace

void TWidgetBuilder::ApplyReadingOrder(const TCustomForm& form) {
  HWND window = windows_.FormWindow();
  if (!window) return;
  const LONG_PTR order =
      (form.Mirrored() ? WS_EX_LAYOUTRTL : 0) | (form.ReadsRightToLeft() ? WS_EX_RTLREADING : 0);
  if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & kReadingOrder) == order) return;
  SetReadingOrder(window, order);
  EnumChildWindows(window, SetReadingOrder, order);
  Reposition(form);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWidgetBuilder::Reposition(const TControl& control) {
  HWND window = windows_.WindowOf(&control);
  const TWindowKind* kind = WindowKinds().Find(control);
  if (window && window != windows_.FormWindow()) {
    const RECT bounds = DesignBounds(windows_, control);
    SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (auto* windowed = ObjectCast<TWinControl>(&control)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) Reposition(*windowed->Controls(i));
  }
  if (window && kind && kind->Placed) kind->Placed(context_, control, window);
}

void TWidgetBuilder::Relayout(const TControl& control) {
  HWND window = windows_.WindowOf(&control);
  const TWindowKind* kind = WindowKinds().Find(control);
  if (window && window != windows_.FormWindow()) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(gdi_, control)), FALSE);
    MoveToDesign(control, window);
    if (kind && kind->Created) kind->Created(context_, control, window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  }
  if (auto* windowed = ObjectCast<TWinControl>(&control)) {
    for (int i = 0; i < windowed->ControlCount(); ++i) Relayout(*windowed->Controls(i));
  }
  // Once its controls are in place, a container may arrange them again (a page control its pages).
  if (window && kind && kind->Placed) kind->Placed(context_, control, window);
}

void TWidgetBuilder::RegisterClasses() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW form{};
  form.cbSize = sizeof(form);
  form.lpfnWndProc = procedures_.Form;
  form.hInstance = instance;
  form.hCursor = LoadCursor(nullptr, IDC_ARROW);
  form.hIcon =
      static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  form.hIconSm = static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (!form.hIcon) form.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  form.lpszClassName = kFormClass;
  // A builder of other procedures may have registered the classes before, once its windows are
  // gone: these windows take this builder's.
  UnregisterClassW(kFormClass, instance);
  RegisterClassExW(&form);

  WNDCLASSEXW container{};
  container.cbSize = sizeof(container);
  container.lpfnWndProc = procedures_.Container;
  container.hInstance = instance;
  container.hCursor = LoadCursor(nullptr, IDC_ARROW);
  container.lpszClassName = kContainerClass;
  UnregisterClassW(kContainerClass, instance);
  RegisterClassExW(&container);
}

void TWidgetBuilder::CreateChildren(const TWinControl& parent) {
  // Windowed controls in tab order, which is also the dialog manager's order; the others lie
  // beneath them.
  for (TControl* child : ChildrenInTabOrder(parent)) CreateControl(*child);
}

void TWidgetBuilder::CreateControl(TControl& control) {
  HWND parent = windows_.WindowOf(control.Parent());
  if (!parent) return;
  const TWindowKind* kind = WindowKinds().Find(control);
  TWindowPlan plan;
  plan.Text = control.Caption();
  if (kind && kind->Plan) {
    kind->Plan(control, plan);
  } else {
    // No kind: the control is named, not left out.
    plan.Class = WC_STATICW;
    plan.Style = SS_LEFTNOWORDWRAP | SS_SUNKEN;
    plan.Text = Translate(texts::kUnsupported, {{"class", control.ClassName()}});
  }
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | plan.Style;
  if (auto* windowed = ObjectCast<TWinControl>(&control); windowed && windowed->TabStop()) {
    style |= WS_TABSTOP;
  }
  if (!control.Enabled()) style |= WS_DISABLED;
  const RECT bounds = DesignBounds(windows_, control);
  HWND window = CreateWindowExW(
      plan.ExStyle, plan.Class ? plan.Class : kContainerClass, Wide(plan.Text).c_str(), style,
      bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId_++)), GetModuleHandleW(nullptr), nullptr);
  if (!window) return;
  windows_.Register(&control, window);
  if (plan.Forwards) SetWindowSubclass(window, procedures_.Forwarding, 1, 0);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(gdi_, control)), FALSE);
  if (kind && kind->Created) kind->Created(context_, control, window);
  if (auto* windowed = ObjectCast<TWinControl>(&control); windowed && kind) {
    if (kind->CreateChildren) {
      kind->CreateChildren(context_, control);
    } else {
      CreateChildren(*windowed);
    }
  }
  if (plan.ShowsItself && control.Visible()) ShowWindow(window, SW_SHOWNA);
}

void TWidgetBuilder::MoveToDesign(const TControl& control, HWND window) {
  const RECT bounds = DesignBounds(windows_, control);
  RECT now{};
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (!EqualRect(&now, &bounds)) {
    SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const TWindowKind* kind = WindowKinds().Find(control);
    if (kind && kind->Placed) kind->Placed(context_, control, window);
  }
}

void TWidgetBuilder::ApplyIcons(const TCustomForm& form) {
  HWND window = windows_.FormWindow();
  const TIcon* icon = form.Icon();
  const int dpi = windows_.Scale().Dpi;
  if (!window || !icon || icon->Empty() ||
      (icon->Data() == formIcon_.Data && dpi == formIcon_.Size)) {
    return;
  }
  formIcon_ = {icon->Data(), dpi};
  if (HICON big = gdi_.IconOf(icon->Data(), SystemMetricForDpi(SM_CXICON, dpi))) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (HICON small = gdi_.IconOf(icon->Data(), SystemMetricForDpi(SM_CXSMICON, dpi))) {
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

void TWidgetBuilder::ApplyPicture(const TImage& image) {
  HWND window = windows_.WindowOf(&image);
  const std::vector<uint8_t>& data = image.Picture()->Icon().Data();
  const int size = windows_.Scale()(std::max(image.Width(), image.Height()));
  TShownIcon& shown = pictures_[&image];
  if (!window || (shown.Data == data && shown.Size == size)) return;
  shown = {data, size};
  HICON icon = data.empty() ? nullptr : gdi_.IconOf(data, size);
  SendMessageW(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  MoveToDesign(image, window);
}

}  // namespace wdx::win32
