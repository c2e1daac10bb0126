#include "framework/controls/RadioGroup.h"

#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

const TMetaClass& TRadioGroup::StaticClass() {
  using R = TRadioGroup;
  static const TMetaClass meta(
      "TRadioGroup", &TGroupBox::StaticClass(), FactoryOf<R>(),
      {
          Published<R>("Columns", &R::Columns, &R::SetColumns).WithDefault(1),
          Published<R>("ItemIndex", &R::ItemIndex, &R::SetItemIndex).WithDefault(-1),
          Published<R>("Items", &R::Items, &R::SetItems),
          TabStopProp<R>(true),
          Published<R>("OnClick", &R::OnClick, &R::OnClick),
      });
  return meta;
}

TRadioGroup::TRadioGroup(TComponent* owner)
    : TGroupBox(owner), choice_(*this, [this] { Changed(); }) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TRadioGroup::SetItemIndex(int32_t index) {
  if (choice_.SetIndex(index) && !IsLoading()) OnClick(this);
}

void TRadioGroup::Loaded() {
  TGroupBox::Loaded();
  choice_.Loaded();
}

}  // namespace wdx
