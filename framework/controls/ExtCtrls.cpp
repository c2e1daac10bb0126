#include "framework/controls/ExtCtrls.h"

#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

WDX_DEFINE_ENUM(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

const TMetaClass& TPanel::StaticClass() {
  static const TMetaClass meta(
      "TPanel", &TWinControl::StaticClass(), FactoryOf<TPanel>(),
      {
          AnchorsProp<TPanel>(),
          Published<TPanel>("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner)
              .WithDefault(bvNone),
          Published<TPanel>("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter)
              .WithDefault(bvRaised),
          CaptionProp<TPanel>(),
          ColorProp<TPanel>(clBtnFace),
          EnabledProp<TPanel>(),
          FontProp<TPanel>(),
          ParentColorProp<TPanel>(true),
          ParentFontProp<TPanel>(),
          TabOrderProp<TPanel>(),
          TabStopProp<TPanel>(false),
          VisibleProp<TPanel>(),
      });
  return meta;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

const TMetaClass& TImage::StaticClass() {
  static const TMetaClass meta(
      "TImage", &TControl::StaticClass(), FactoryOf<TImage>(),
      {
          AnchorsProp<TImage>(),
          Published<TImage>("Picture", &TImage::Picture, &TImage::SetPicture)
              .StoredWhen(
                  [](const TObject* o) { return !CastTo<TImage>(o).Picture()->Icon().Empty(); }),
          Published<TImage>("Stretch", &TImage::Stretch, &TImage::SetStretch).WithDefault(0),
          Published<TImage>("Transparent", &TImage::Transparent, &TImage::SetTransparent)
              .WithDefault(0),
          VisibleProp<TImage>(),
      });
  return meta;
}

TImage::TImage(TComponent* owner) : TControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TImage::SetPicture(TPicture* picture) {
  if (picture && picture != picture_.get()) picture_->Assign(picture);
  Changed();
}

}  // namespace wdx
