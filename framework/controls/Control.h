// Controls: components with a place on screen and a parent in the visual tree.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/Component.h"
#include "framework/controls/Graphics.h"
#include "framework/rtti/Set.h"

namespace wdx {

class TWinControl;

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
WDX_DECLARE_TYPE(TAnchorKind);
WDX_DECLARE_TYPE(TAnchors);

class TControl : public TComponent {
 public:
  WDX_CLASS(TControl)

  explicit TControl(TComponent* owner);
  // Leaves the parent's list of controls.
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form reader's parent: a control's parent must be a windowed control.
  void SetParentComponent(TComponent* parent) override;

  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t value) { SetField(left_, value); }
  void SetTop(int32_t value) { SetField(top_, value); }
  void SetWidth(int32_t value) { SetField(width_, value); }
  void SetHeight(int32_t value) { SetField(height_, value); }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetField(visible_, value); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { SetField(enabled_, value); }
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value) { SetField(anchors_, value); }
  // The control's text: a caption, or an edit's contents.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& value) { SetField(text_, value); }
  // Caption := text, handing back the caption it replaces: as reading Caption and then
  // SetCaption, without a string made of `text` first (a language switch exchanges texts so).
  void ExchangeCaption(std::string_view text, std::string& previous);

  // Appearance. A control with ParentFont (ParentColor) shows its parent's font (colour).
  // The control's own font, made on first use: most controls show their parent's.
  TFont* Font() const;
  void SetFont(TFont* font);
  TColor Color() const { return color_; }
  void SetColor(TColor value) { SetField(color_, value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value) { SetField(parentFont_, value); }
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value) { SetField(parentColor_, value); }
  // Whether Font and Color differ from the parent's, so that form streams store them.
  bool IsFontStored() const { return !parentFont_; }
  bool IsColorStored() const { return !parentColor_; }
  // The font and colour the control shows.
  const TFont& EffectiveFont() const;
  TColor EffectiveColor() const;

  // Whether the user can give the control the keyboard focus, while it is usable. A container
  // never takes it itself; its controls do.
  virtual bool TakesFocus() const { return false; }

  // Front-ends watch controls through this hook, which runs after every property change.
  using ChangeHook = std::function<void(TControl&)>;
  static void SetChangeHook(ChangeHook hook);
  // The hook set now (empty when none is), so that a front-end showing a second form can pass
  // on the changes of the first form's controls.
  static ChangeHook CurrentChangeHook();

 protected:
  void Changed();
  // Stores a property value and reports the change when it differs.
  template <class T>
  void SetField(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

 private:
  friend class TWinControl;

  // In this order, so that no room is lost between them and a derived class's small fields
  // fill the room after the last: a form may have many labels.
  TWinControl* parent_ = nullptr;
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TColor color_ = clBtnFace;
  TAnchors anchors_{akLeft, akTop};
  std::string text_;
  mutable std::unique_ptr<TFont> font_;
  bool visible_ = true;
  bool enabled_ = true;
  bool parentFont_ = true;
  bool parentColor_ = true;
};

// A control that can hold other controls and take the focus.
class TWinControl : public TControl {
 public:
  WDX_CLASS(TWinControl)

  explicit TWinControl(TComponent* owner);
  // Destroys the child controls that remain, last first.
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  int32_t TabOrder() const { return tabOrder_; }
  void SetTabOrder(int32_t value) { tabOrder_ = value; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  // For the form writer: the child controls that `root` owns, then, when this control is the
  // root itself, its components that are not controls.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
  int32_t tabOrder_ = -1;
  bool tabStop_ = false;
};

}  // namespace wdx
