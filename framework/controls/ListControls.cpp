#include "framework/controls/ListControls.h"

#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

WDX_DEFINE_ENUM(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList")

namespace {

// The declarations a list box and a combo box share, in their tables' order, around their own.
template <class C>
std::vector<TPropInfo> ListProps(std::vector<TPropInfo> own) {
  std::vector<TPropInfo> props = {
      AnchorsProp<C>(),
      ColorProp<C>(clWindow),
      EnabledProp<C>(),
      FontProp<C>(),
      Published<C>("ItemIndex", &C::ItemIndex, &C::SetItemIndex).WithDefault(-1),
      Published<C>("Items", &C::Items, &C::SetItems),
      ParentColorProp<C>(false),
      ParentFontProp<C>(),
      TabOrderProp<C>(),
      TabStopProp<C>(true),
      VisibleProp<C>(),
      Published<C>("OnClick", &C::OnClick, &C::OnClick),
  };
  props.insert(props.end(), std::make_move_iterator(own.begin()),
               std::make_move_iterator(own.end()));
  return props;
}

}  // namespace

const TMetaClass& TListBox::StaticClass() {
  static const TMetaClass meta("TListBox", &TWinControl::StaticClass(), FactoryOf<TListBox>(),
                               ListProps<TListBox>({}));
  return meta;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), choice_(*this, [this] { Changed(); }) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TListBox::Choose(int32_t index) {
  if (choice_.SetIndex(index)) OnClick(this);
}

void TListBox::Loaded() {
  TWinControl::Loaded();
  choice_.Loaded();
}

const TMetaClass& TComboBox::StaticClass() {
  using C = TComboBox;
  static const TMetaClass meta(
      "TComboBox", &TWinControl::StaticClass(), FactoryOf<C>(),
      ListProps<C>({
          Published<C>("DropDownCount", &C::DropDownCount, &C::SetDropDownCount).WithDefault(8),
          Published<C>("Style", &C::Style, &C::SetStyle).WithDefault(csDropDown),
          // A drop-down list's text is its chosen item's.
          Published<C>("Text", &C::Text, &C::SetText).StoredWhen([](const TObject* o) {
            return CastTo<C>(o).Editable();
          }),
          Published<C>("OnChange", &C::OnChange, &C::OnChange),
      }));
  return meta;
}

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner), choice_(*this, [this] { ChoiceChanged(); }) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TComboBox::ChoiceChanged() {
  if (!IsLoading()) {
    if (ItemIndex() >= 0) {
      text_ = choice_.Chosen();
    } else if (!Editable()) {
      text_.clear();
    }
  }
  Changed();
}

void TComboBox::SetText(const std::string& value) {
  if (IsLoading()) {
    text_ = value;
    return;
  }
  const std::string before = text_;
  if (Editable()) text_ = value;
  choice_.SetIndex(Items()->IndexOf(value));
  if (text_ == before) return;
  Changed();
  OnChange(this);
}

void TComboBox::Choose(int32_t index) {
  if (!choice_.SetIndex(index)) return;
  OnClick(this);
  OnChange(this);
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  choice_.Loaded();
  if (ItemIndex() < 0 && !Editable()) choice_.SetIndex(Items()->IndexOf(text_));
  ChoiceChanged();
}

}  // namespace wdx
