// Forms: top-level windowed controls that own the components of one window.
#pragma once

#include <functional>

#include "framework/controls/Control.h"
#include "framework/controls/Graphics.h"
#include "framework/rtti/Method.h"

namespace wdx {

enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormBorderStyle : uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
// The reading order of a form: bdRightToLeft mirrors its layout (the first control at the right,
// the tabs from the right, edits aligned right) and reads its texts from right to left; the last
// two read right to left without mirroring.
enum TBiDiMode : uint8_t {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};
WDX_DECLARE_TYPE(TBiDiMode);
WDX_DECLARE_TYPE(TBorderIcon);
WDX_DECLARE_TYPE(TBorderIcons);
WDX_DECLARE_TYPE(TFormBorderStyle);
WDX_DECLARE_TYPE(TPosition);

class TCustomForm : public TWinControl {
 public:
  WDX_CLASS(TCustomForm)

  explicit TCustomForm(TComponent* owner);

  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons value) { SetField(borderIcons_, value); }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value) { SetField(borderStyle_, value); }
  int32_t ClientWidth() const { return clientWidth_; }
  void SetClientWidth(int32_t value) { SetField(clientWidth_, value); }
  int32_t ClientHeight() const { return clientHeight_; }
  void SetClientHeight(int32_t value) { SetField(clientHeight_, value); }
  TIcon* Icon() const { return icon_.get(); }
  void SetIcon(TIcon* icon);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { SetField(position_, value); }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode value) { SetField(biDiMode_, value); }
  bool Mirrored() const { return biDiMode_ == bdRightToLeft; }
  bool ReadsRightToLeft() const { return biDiMode_ != bdLeftToRight; }
  int32_t PixelsPerInch = 96;
  int32_t TextHeight = 13;

  TNotifyEvent OnActivate;
  // Runs the activation event (a front-end calls it when the window becomes active).
  void Activate();
  // Closes the form; a front-end running it sees IsClosed() and ends its loop. A form shown
  // modally without a result closes with mrCancel.
  void Close();
  bool IsClosed() const { return closed_; }

  // Shows the form modally over the form shown now and returns its result once it closes:
  // the ModalResult that closed it (a button's, or the program's). Raises EInvalidOperation when
  // no front-end shows forms.
  int32_t ShowModal();
  bool IsModal() const { return modal_; }
  // Setting a result other than mrNone closes a form shown modally.
  int32_t ModalResult() const { return modalResult_; }
  void SetModalResult(int32_t value);
  // How a front-end shows a form modally: it shows the form and returns once the form is closed.
  using ModalPresenter = std::function<void(TCustomForm& form)>;
  static void SetModalPresenter(ModalPresenter presenter);
  static ModalPresenter CurrentModalPresenter();

  // Stores "PixelsPerInch" and "TextHeight" beside the published properties.
  void DefineProperties(TFiler* filer) override;

 private:
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormBorderStyle borderStyle_ = bsSizeable;
  int32_t clientWidth_ = 0;
  int32_t clientHeight_ = 0;
  std::unique_ptr<TIcon> icon_ = std::make_unique<TIcon>();
  TPosition position_ = poDesigned;
  TBiDiMode biDiMode_ = bdLeftToRight;
  int32_t modalResult_ = 0;
  bool closed_ = false;
  bool modal_ = false;
};

// The form that holds the control (the control itself when it is a form), or nullptr.
TCustomForm* ParentForm(TControl* control);

class TFormControlBinding;

class TForm : public TCustomForm {
 public:
  WDX_CLASS(TForm)
  // Applies the defaults its table (StaticClass) declares.
  explicit TForm(TComponent* owner);

  // Binds the members the form's class declares with WDX_CONTROL (FormControl.h) to their
  // components; raises EComponentError for one that is missing or of another class.
  void Loaded() override;

 private:
  friend class TFormControlBinding;
  std::vector<TFormControlBinding*> controls_;  // members of the derived class, in order
};

}  // namespace wdx
