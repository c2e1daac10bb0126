// A radio group: a group box whose items are radio buttons, one of them chosen (ItemIndex, -1 for
// none), laid out in Columns columns. The group is one stop of the focus. Its published defaults
// are declared in its table (StaticClass) and applied by its constructor.
#pragma once

#include "framework/controls/ItemChoice.h"
#include "framework/controls/StdCtrls.h"

namespace wdx {

class TRadioGroup : public TGroupBox {
 public:
  WDX_CLASS(TRadioGroup)
  explicit TRadioGroup(TComponent* owner);

  TStrings* Items() const { return choice_.Items(); }
  void SetItems(TStrings* items) { choice_.SetItems(items); }
  int32_t ItemIndex() const { return choice_.Index(); }
  // A change runs OnClick, except while the form is read.
  void SetItemIndex(int32_t index);
  int32_t Columns() const { return columns_; }
  void SetColumns(int32_t value) { SetField(columns_, value < 1 ? 1 : value); }
  TNotifyEvent OnClick;
  bool TakesFocus() const override { return TabStop() && Items()->Count() > 0; }

  void Loaded() override;

 private:
  TItemChoice choice_;
  int32_t columns_ = 1;
};

}  // namespace wdx
