#include "framework/controls/Memo.h"

#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

WDX_DEFINE_ENUM(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

const TMetaClass& TMemo::StaticClass() {
  using M = TMemo;
  static const TMetaClass meta(
      "TMemo", &TWinControl::StaticClass(), FactoryOf<M>(),
      {
          AnchorsProp<M>(),
          ColorProp<M>(clWindow),
          EnabledProp<M>(),
          FontProp<M>(),
          Published<M>("Lines", &M::Lines, &M::SetLines),
          ParentColorProp<M>(false),
          ParentFontProp<M>(),
          Published<M>("ReadOnly", &M::ReadOnly, &M::SetReadOnly).WithDefault(0),
          Published<M>("ScrollBars", &M::ScrollBars, &M::SetScrollBars).WithDefault(ssNone),
          TabOrderProp<M>(),
          TabStopProp<M>(true),
          VisibleProp<M>(),
          Published<M>("WordWrap", &M::WordWrap, &M::SetWordWrap).WithDefault(1),
          Published<M>("OnChange", &M::OnChange, &M::OnChange),
      });
  return meta;
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
  lines_->OnChange = [this] {
    Changed();
    if (!IsLoading()) OnChange(this);
  };
}

void TMemo::SetText(const std::string& value) {
  std::vector<std::string> lines = TStrings::SplitLines(value);
  if (!value.empty() && (value.back() == '\r' || value.back() == '\n')) lines.emplace_back();
  SetLineList(std::move(lines));
}

std::string TMemo::Text() const {
  std::string text;
  for (int i = 0; i < lines_->Count(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines_->Get(i);
  }
  return text;
}

}  // namespace wdx
