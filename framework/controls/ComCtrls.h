// The tabbed page control and its pages. Each class's published defaults are declared in its
// table (StaticClass) and applied by its constructor.
#pragma once

#include <vector>

#include "framework/controls/Control.h"
#include "framework/rtti/Method.h"

namespace wdx {

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  WDX_CLASS(TTabSheet)
  explicit TTabSheet(TComponent* owner);

  TPageControl* PageControl() const;
  // Whether the page's tab is shown; a hidden tab's page cannot be reached.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool value) { SetField(tabVisible_, value); }
  // The inner border between the page's edge and its controls, in pixels.
  int32_t BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int32_t value) { SetField(borderWidth_, value); }

 private:
  bool tabVisible_{};
  int32_t borderWidth_{};
};

class TPageControl : public TWinControl {
 public:
  WDX_CLASS(TPageControl)
  explicit TPageControl(TComponent* owner);

  // The pages are the page control's child controls that are tab sheets, in order.
  std::vector<TTabSheet*> Pages() const;
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  TNotifyEvent OnChange;
  // The tab strip takes the focus.
  bool TakesFocus() const override { return TabStop(); }

  void Notification(TComponent* component, TOperation operation) override;

 private:
  TTabSheet* activePage_ = nullptr;
};

}  // namespace wdx
