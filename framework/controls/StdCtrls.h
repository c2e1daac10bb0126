// The standard controls of a dialog: push buttons, single-line edits, labels and group boxes.
// Each class's published defaults are declared in its table (StaticClass) and applied by its
// constructor.
#pragma once

#include "framework/controls/Control.h"
#include "framework/rtti/Method.h"

namespace wdx {

class TButton : public TWinControl {
 public:
  WDX_CLASS(TButton)
  explicit TButton(TComponent* owner);

  // Enter presses the default button, Escape the cancel button, wherever the focus is.
  bool Default() const { return default_; }
  void SetDefault(bool value) { SetField(default_, value); }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { SetField(cancel_, value); }
  // What a press makes the result of the form shown modally that holds the button (mrNone:
  // nothing); the form then closes.
  int32_t ModalResult() const { return modalResult_; }
  void SetModalResult(int32_t value) { SetField(modalResult_, value); }
  TNotifyEvent OnClick;
  // Presses the button as a user would: nothing happens while it is disabled or hidden.
  void Click();
  bool TakesFocus() const override { return TabStop(); }

 private:
  int32_t modalResult_{};
  bool default_{};
  bool cancel_{};
};

class TEdit : public TWinControl {
 public:
  WDX_CLASS(TEdit)
  explicit TEdit(TComponent* owner);

  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { SetField(readOnly_, value); }
  TNotifyEvent OnChange;
  bool TakesFocus() const override { return TabStop(); }

 private:
  bool readOnly_{};
};

class TLabel : public TControl {
 public:
  WDX_CLASS(TLabel)
  explicit TLabel(TComponent* owner);

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value) { SetField(autoSize_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { SetField(wordWrap_, value); }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { SetField(transparent_, value); }

 private:
  bool autoSize_{};
  bool wordWrap_{};
  bool transparent_{};
};

class TGroupBox : public TWinControl {
 public:
  WDX_CLASS(TGroupBox)
  explicit TGroupBox(TComponent* owner);
};

}  // namespace wdx
