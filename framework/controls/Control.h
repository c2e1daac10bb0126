// Controls: components with a place on screen and a parent in the visual tree.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/components/Component.h"
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

  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t value) { Assign(left_, value); }
  void SetTop(int32_t value) { Assign(top_, value); }
  void SetWidth(int32_t value) { Assign(width_, value); }
  void SetHeight(int32_t value) { Assign(height_, value); }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

  bool Visible() const { return visible_; }
  void SetVisible(bool value) { Assign(visible_, value); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { Assign(enabled_, value); }
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value) { Assign(anchors_, value); }
  // The control's text: a caption, or an edit's contents.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& value) { Assign(text_, value); }

  // Front-ends watch controls through this hook, which runs after every property change.
  using ChangeHook = std::function<void(TControl&)>;
  static void SetChangeHook(ChangeHook hook);

 protected:
  void Changed();

 private:
  friend class TWinControl;
  template <class T>
  void Assign(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  TWinControl* parent_ = nullptr;
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  TAnchors anchors_{akLeft, akTop};
  std::string text_;
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

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> controls_;
  int32_t tabOrder_ = -1;
  bool tabStop_ = false;
};

}  // namespace wdx
