#include "framework/controls/ComCtrls.h"

#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

const TMetaClass& TTabSheet::StaticClass() {
  static const TMetaClass meta(
      "TTabSheet", &TWinControl::StaticClass(), FactoryOf<TTabSheet>(),
      {
          // A page fills its page control: no stored geometry.
          Published<TTabSheet>("Left", &TTabSheet::Left, &TTabSheet::SetLeft).NotStored(),
          Published<TTabSheet>("Top", &TTabSheet::Top, &TTabSheet::SetTop).NotStored(),
          Published<TTabSheet>("Width", &TTabSheet::Width, &TTabSheet::SetWidth).NotStored(),
          Published<TTabSheet>("Height", &TTabSheet::Height, &TTabSheet::SetHeight).NotStored(),
          Published<TTabSheet>("BorderWidth", &TTabSheet::BorderWidth, &TTabSheet::SetBorderWidth)
              .WithDefault(0),
          CaptionProp<TTabSheet>(),
          EnabledProp<TTabSheet>(),
          FontProp<TTabSheet>(),
          ParentFontProp<TTabSheet>(),
          Published<TTabSheet>("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
              .WithDefault(1),
      });
  return meta;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

TPageControl* TTabSheet::PageControl() const {
  return ObjectCast<TPageControl>(Parent());
}

const TMetaClass& TPageControl::StaticClass() {
  static const TMetaClass meta(
      "TPageControl", &TWinControl::StaticClass(), FactoryOf<TPageControl>(),
      {
          Published<TPageControl>("ActivePage", &TPageControl::ActivePage,
                                  &TPageControl::SetActivePage),
          AnchorsProp<TPageControl>(),
          EnabledProp<TPageControl>(),
          FontProp<TPageControl>(),
          ParentFontProp<TPageControl>(),
          TabOrderProp<TPageControl>(),
          TabStopProp<TPageControl>(true),
          VisibleProp<TPageControl>(),
          Published<TPageControl>("OnChange", &TPageControl::OnChange, &TPageControl::OnChange),
      });
  return meta;
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

std::vector<TTabSheet*> TPageControl::Pages() const {
  std::vector<TTabSheet*> pages;
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* page = ObjectCast<TTabSheet>(Controls(i))) pages.push_back(page);
  }
  return pages;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == activePage_) return;
  if (activePage_) RemoveFreeNotification(activePage_);
  activePage_ = page;
  if (page) FreeNotification(page);
  Changed();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == activePage_) activePage_ = nullptr;
}

}  // namespace wdx
