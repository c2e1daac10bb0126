// Declarations of the properties that many control classes publish, one line each in their
// tables. Every class publishes its own list so that each chooses its order and defaults.
#pragma once

#include "framework/controls/Control.h"
#include "framework/rtti/Published.h"

namespace wdx {

template <class C>
TPropInfo AnchorsProp() {
  return Published<C>("Anchors", &C::Anchors, &C::SetAnchors)
      .WithDefault(static_cast<int32_t>(TAnchors{akLeft, akTop}.Bits()));
}

template <class C>
TPropInfo CaptionProp() {
  return Published<C>("Caption", &C::Caption, &C::SetCaption)
      .template ExchangedBy<C, &C::ExchangeCaption>();
}

template <class C>
TPropInfo EnabledProp() {
  return Published<C>("Enabled", &C::Enabled, &C::SetEnabled).WithDefault(1);
}

template <class C>
TPropInfo VisibleProp() {
  return Published<C>("Visible", &C::Visible, &C::SetVisible).WithDefault(1);
}

// Colour and font are stored only where they differ from the parent's.
template <class C>
TPropInfo ColorProp(TColor defaultColor) {
  return Published<C>("Color", &C::Color, &C::SetColor)
      .WithDefault(static_cast<int32_t>(defaultColor))
      .StoredWhen([](const TObject* o) { return CastTo<C>(o).IsColorStored(); });
}

template <class C>
TPropInfo FontProp() {
  return Published<C>("Font", &C::Font, &C::SetFont).StoredWhen([](const TObject* o) {
    return CastTo<C>(o).IsFontStored();
  });
}

template <class C>
TPropInfo ParentColorProp(bool defaultValue) {
  return Published<C>("ParentColor", &C::ParentColor, &C::SetParentColor)
      .WithDefault(defaultValue ? 1 : 0);
}

template <class C>
TPropInfo ParentFontProp() {
  return Published<C>("ParentFont", &C::ParentFont, &C::SetParentFont).WithDefault(1);
}

template <class C>
TPropInfo TabOrderProp() {
  return Published<C>("TabOrder", &C::TabOrder, &C::SetTabOrder).WithDefault(-1);
}

template <class C>
TPropInfo TabStopProp(bool defaultValue) {
  return Published<C>("TabStop", &C::TabStop, &C::SetTabStop).WithDefault(defaultValue ? 1 : 0);
}

}  // namespace wdx
