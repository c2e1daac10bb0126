// Panels with bevels and image controls. Each class's published defaults are declared in its
// table (StaticClass) and applied by its constructor.
#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/Graphics.h"

namespace wdx {

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
WDX_DECLARE_TYPE(TBevelCut);

class TPanel : public TWinControl {
 public:
  WDX_CLASS(TPanel)
  explicit TPanel(TComponent* owner);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value) { SetField(bevelInner_, value); }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value) { SetField(bevelOuter_, value); }

 private:
  TBevelCut bevelInner_{};
  TBevelCut bevelOuter_{};
};

class TImage : public TControl {
 public:
  WDX_CLASS(TImage)
  explicit TImage(TComponent* owner);

  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* picture);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value) { SetField(stretch_, value); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { SetField(transparent_, value); }

 private:
  std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
  bool stretch_{};
  bool transparent_{};
};

}  // namespace wdx
