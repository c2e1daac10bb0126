// Lists to choose from: a list box, and a combo box, whose list drops down under its text (a
// drop-down list, whose text is always the chosen item's, or an editable text with a list of
// proposals). Each class's published defaults are declared in its table (StaticClass) and applied
// by its constructor.
#pragma once

#include "framework/controls/Control.h"
#include "framework/controls/ItemChoice.h"
#include "framework/rtti/Method.h"

namespace wdx {

class TListBox : public TWinControl {
 public:
  WDX_CLASS(TListBox)
  explicit TListBox(TComponent* owner);

  TStrings* Items() const { return choice_.Items(); }
  void SetItems(TStrings* items) { choice_.SetItems(items); }
  int32_t ItemIndex() const { return choice_.Index(); }
  void SetItemIndex(int32_t index) { choice_.SetIndex(index); }
  // Chooses an item as the user does: a change runs OnClick.
  void Choose(int32_t index);
  TNotifyEvent OnClick;
  bool TakesFocus() const override { return TabStop(); }

  void Loaded() override;

 private:
  TItemChoice choice_;
};

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList };
WDX_DECLARE_TYPE(TComboBoxStyle);

class TComboBox : public TWinControl {
 public:
  WDX_CLASS(TComboBox)
  explicit TComboBox(TComponent* owner);

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle value) { SetField(style_, value); }
  // Whether the user types the text (csDropDown, csSimple) rather than only choosing an item.
  bool Editable() const { return style_ != csDropDownList; }
  TStrings* Items() const { return choice_.Items(); }
  void SetItems(TStrings* items) { choice_.SetItems(items); }
  int32_t ItemIndex() const { return choice_.Index(); }
  // The text becomes the chosen item's ("" for none).
  void SetItemIndex(int32_t index) { choice_.SetIndex(index); }
  const std::string& Text() const { return text_; }
  // An editable combo box takes any text, and chooses the item that has it, if any; a drop-down
  // list chooses the item of that text, or none. A change of the text runs OnChange.
  void SetText(const std::string& value);
  int32_t DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int32_t value) { SetField(dropDownCount_, value < 1 ? 1 : value); }
  // Chooses an item as the user does: a change runs OnClick, then OnChange.
  void Choose(int32_t index);
  TNotifyEvent OnChange;
  TNotifyEvent OnClick;
  bool TakesFocus() const override { return TabStop(); }

  void Loaded() override;

 private:
  void ChoiceChanged();

  TItemChoice choice_;
  std::string text_;
  int32_t dropDownCount_ = 8;
  TComboBoxStyle style_ = csDropDown;
};

}  // namespace wdx
