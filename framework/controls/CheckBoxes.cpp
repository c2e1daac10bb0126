#include "framework/controls/CheckBoxes.h"

#include <climits>

#include "framework/controls/ControlProps.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

namespace {

// The declarations a check box and a radio button share, in their tables' order.
template <class C>
std::vector<TPropInfo> ButtonLikeProps() {
  return {
      AnchorsProp<C>(),
      CaptionProp<C>(),
      Published<C>("Checked", &C::Checked, &C::SetChecked).WithDefault(0),
      ColorProp<C>(clBtnFace),
      EnabledProp<C>(),
      FontProp<C>(),
      ParentColorProp<C>(true),
      ParentFontProp<C>(),
      TabOrderProp<C>(),
      TabStopProp<C>(true),
      VisibleProp<C>(),
      Published<C>("OnClick", &C::OnClick, &C::OnClick),
  };
}

// Where a radio button stands in its group's tab order.
int64_t TabPlace(const TRadioButton& button, int index) {
  const int64_t order = button.TabOrder() < 0 ? INT_MAX : button.TabOrder();
  return order * INT_MAX + index;
}

// Calls `visit` with the other radio buttons of the button's parent, and their places.
template <class Visit>
void ForEachSibling(const TRadioButton& button, Visit&& visit) {
  const TWinControl* parent = button.Parent();
  for (int i = 0; parent && i < parent->ControlCount(); ++i) {
    auto* other = ObjectCast<TRadioButton>(parent->Controls(i));
    if (other && other != &button) visit(*other, i);
  }
}

}  // namespace

const TMetaClass& TCheckBox::StaticClass() {
  static const TMetaClass meta("TCheckBox", &TWinControl::StaticClass(), FactoryOf<TCheckBox>(),
                               ButtonLikeProps<TCheckBox>());
  return meta;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TCheckBox::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Changed();
  if (!IsLoading()) OnClick(this);
}

const TMetaClass& TRadioButton::StaticClass() {
  static const TMetaClass meta("TRadioButton", &TWinControl::StaticClass(),
                               FactoryOf<TRadioButton>(), ButtonLikeProps<TRadioButton>());
  return meta;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TRadioButton::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (value) ForEachSibling(*this, [](TRadioButton& other, int) { other.SetChecked(false); });
  Changed();
  if (value && !IsLoading()) OnClick(this);
}

bool TRadioButton::TakesFocus() const {
  if (!TabStop()) return false;
  if (checked_) return true;
  int self = 0;
  const TWinControl* parent = Parent();
  for (int i = 0; parent && i < parent->ControlCount(); ++i) {
    if (parent->Controls(i) == this) self = i;
  }
  bool first = true;
  bool anyChecked = false;
  ForEachSibling(*this, [&](const TRadioButton& other, int index) {
    if (!other.Visible() || !other.Enabled() || !other.TabStop()) return;
    anyChecked = anyChecked || other.Checked();
    if (TabPlace(other, index) < TabPlace(*this, self)) first = false;
  });
  return !anyChecked && first;
}

}  // namespace wdx
