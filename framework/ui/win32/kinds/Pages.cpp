// A page control (the system's tab control, whose tabs are the pages whose tabs are shown) and its
// pages (the front-end's own windows over the tab control's display area, one shown at a time).
#include "framework/ui/Pages.h"
#include "framework/controls/ComCtrls.h"
#include "framework/ui/win32/Layout.h"
#include "framework/ui/win32/PageTabs.h"
#include "framework/ui/win32/WidgetBuilder.h"
#include "framework/ui/win32/WindowMap.h"
#include "framework/ui/win32/kinds/StandardKinds.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace wdx::win32::kinds {

TWindowKind PageControl() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) {
    plan.Class = WC_TABCONTROLW;
    plan.Style = WS_CLIPCHILDREN;
    plan.ExStyle = WS_EX_CONTROLPARENT;
    plan.Text.clear();
    plan.Forwards = true;
  };
  kind.CreateChildren = [](TWindowContext& context, const TControl& control) {
    const auto& pages = As<TPageControl>(control);
    for (TTabSheet* page : pages.Pages()) context.Builder.CreateControl(*page);
    context.Tabs.Rebuild(pages);
  };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND window) {
    context.Builder.MoveToDesign(control, window);
    context.Tabs.Rebuild(As<TPageControl>(control));
  };
  kind.Placed = [](TWindowContext& context, const TControl& control, HWND) {
    context.Tabs.Layout(As<TPageControl>(control));
  };
  kind.Notify = [](TWindowContext& context, TControl& control, const NMHDR& header) {
    if (header.code != TCN_SELCHANGE) return false;
    auto& pages = As<TPageControl>(control);
    TTabSheet* page = context.Tabs.PageAt(pages, TabCtrl_GetCurSel(header.hwndFrom));
    if (!page) return false;
    ShowPage(pages, *page);
    context.Tabs.Layout(pages);
    return true;
  };
  kind.FontText = [](const TControl& control) {
    std::string text = control.Caption();
    for (const TTabSheet* page : VisibleTabs(As<TPageControl>(control))) {
      text += page->Caption();
    }
    return text;
  };
  return kind;
}

TWindowKind TabSheet() {
  TWindowKind kind;
  kind.Plan = [](const TControl&, TWindowPlan& plan) {
    plan.Style = WS_CLIPCHILDREN;
    plan.ExStyle = WS_EX_CONTROLPARENT;
    plan.Text.clear();
    plan.ShowsItself = false;  // the page control shows its pages
  };
  kind.Bounds = [](const TWindowMap& windows, const TControl& control) {
    RECT area{};
    if (HWND tabs = windows.WindowOf(control.Parent())) {
      GetClientRect(tabs, &area);
      TabCtrl_AdjustRect(tabs, FALSE, &area);
    }
    return area;
  };
  kind.ClientInset = [](const TControl& control) { return As<TTabSheet>(control).BorderWidth(); };
  kind.Mirror = [](TWindowContext& context, const TControl& control, HWND) {
    TPageControl* pages = As<TTabSheet>(control).PageControl();
    if (!pages) return;
    context.Tabs.Rebuild(*pages);
    // The tabs draw in their captions' font; the pages' controls follow.
    if (HWND tabs = context.Windows.WindowOf(pages)) {
      SendMessageW(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(context.Gdi, *pages)),
                   TRUE);
    }
  };
  return kind;
}

}  // namespace wdx::win32::kinds
