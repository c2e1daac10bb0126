#include "framework/controls/Control.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtti/Published.h"

namespace wdx {

WDX_DEFINE_ENUM(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
WDX_DEFINE_SET(TAnchors, "TAnchors", TAnchorKind)

namespace {

// Made when a hook is first set and never destroyed, so that controls freed during process
// exit still find it; a plain pointer, so that every change (a caption in a switch of language)
// reads it without a guard.
TControl::ChangeHook* changeHook = nullptr;

}  // namespace

const TMetaClass& TControl::StaticClass() {
  static const TMetaClass meta(
      "TControl", &TComponent::StaticClass(), nullptr,
      {
          Published<TControl>("Left", &TControl::Left, &TControl::SetLeft),
          Published<TControl>("Top", &TControl::Top, &TControl::SetTop),
          Published<TControl>("Width", &TControl::Width, &TControl::SetWidth),
          Published<TControl>("Height", &TControl::Height, &TControl::SetHeight),
      });
  return meta;
}

const TMetaClass& TWinControl::StaticClass() {
  static const TMetaClass meta("TWinControl", &TControl::StaticClass(), nullptr, {});
  return meta;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  Destroying();
  SetParent(nullptr);
}

void TControl::SetChangeHook(ChangeHook hook) {
  if (!changeHook) changeHook = new ChangeHook();
  *changeHook = std::move(hook);
}

TControl::ChangeHook TControl::CurrentChangeHook() {
  return changeHook ? *changeHook : ChangeHook();
}

void TControl::ExchangeCaption(std::string_view text, std::string& previous) {
  previous.assign(text_);
  if (text_ == text) return;
  text_.assign(text);
  Changed();
}

void TControl::Changed() {
  if (changeHook && *changeHook && !IsDestroying()) (*changeHook)(*this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  for (const TControl* ancestor = parent; ancestor; ancestor = ancestor->parent_) {
    if (ancestor == this) throw EInvalidOperation("A control cannot have itself as its parent");
  }
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  Changed();
}

TFont* TControl::Font() const {
  if (!font_) font_ = std::make_unique<TFont>();
  return font_.get();
}

void TControl::SetFont(TFont* font) {
  if (font && font != Font()) Font()->Assign(font);
  Changed();
}

const TFont& TControl::EffectiveFont() const {
  const TControl* control = this;
  while (control->parentFont_ && control->parent_) control = control->parent_;
  return *control->Font();
}

TColor TControl::EffectiveColor() const {
  const TControl* control = this;
  while (control->parentColor_ && control->parent_) control = control->parent_;
  return control->color_;
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = ObjectCast<TWinControl>(parent)) SetParent(windowed);
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed();
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  while (!controls_.empty()) delete controls_.back();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(Format(msg::kListIndexError, index));
  return controls_[static_cast<size_t>(index)];
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* control : controls_) {
    if (control->Owner() == root) proc(control);
  }
  // The control being written as the root (a form) also holds its non-visual components,
  // after its controls; nested controls do not, so nothing is listed twice.
  if (root != this) return;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* component = Components(i);
    if (!ObjectCast<TControl>(component)) proc(component);
  }
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
}

void TWinControl::RemoveControl(TControl* control) {
  for (size_t i = controls_.size(); i-- > 0;) {
    if (controls_[i] == control) {
      controls_.erase(controls_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  control->parent_ = nullptr;
}

}  // namespace wdx
