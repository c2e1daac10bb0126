#include "framework/controls/StdCtrls.h"

#include "framework/controls/ControlProps.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

const TMetaClass& TButton::StaticClass() {
  static const TMetaClass meta(
      "TButton", &TWinControl::StaticClass(), FactoryOf<TButton>(),
      {
          AnchorsProp<TButton>(),
          Published<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel).WithDefault(0),
          CaptionProp<TButton>(),
          Published<TButton>("Default", &TButton::Default, &TButton::SetDefault).WithDefault(0),
          EnabledProp<TButton>(),
          FontProp<TButton>(),
          Published<TButton>("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
              .WithDefault(0),
          ParentFontProp<TButton>(),
          TabOrderProp<TButton>(),
          TabStopProp<TButton>(true),
          VisibleProp<TButton>(),
          Published<TButton>("OnClick", &TButton::OnClick, &TButton::OnClick),
      });
  return meta;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TButton::Click() {
  if (!Enabled() || !Visible()) return;
  // The result first, so that the handler may take it back.
  if (modalResult_ != mrNone) {
    if (TCustomForm* form = ParentForm(this)) form->SetModalResult(modalResult_);
  }
  OnClick(this);
}

const TMetaClass& TEdit::StaticClass() {
  static const TMetaClass meta(
      "TEdit", &TWinControl::StaticClass(), FactoryOf<TEdit>(),
      {
          AnchorsProp<TEdit>(),
          ColorProp<TEdit>(clWindow),
          EnabledProp<TEdit>(),
          FontProp<TEdit>(),
          ParentColorProp<TEdit>(false),
          ParentFontProp<TEdit>(),
          Published<TEdit>("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).WithDefault(0),
          TabOrderProp<TEdit>(),
          TabStopProp<TEdit>(true),
          Published<TEdit>("Text", &TEdit::Text, &TEdit::SetText),
          VisibleProp<TEdit>(),
          Published<TEdit>("OnChange", &TEdit::OnChange, &TEdit::OnChange),
      });
  return meta;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TEdit::SetText(const std::string& value) {
  if (value == Text()) return;
  SetCaption(value);
  OnChange(this);
}

const TMetaClass& TLabel::StaticClass() {
  static const TMetaClass meta(
      "TLabel", &TControl::StaticClass(), FactoryOf<TLabel>(),
      {
          AnchorsProp<TLabel>(),
          Published<TLabel>("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).WithDefault(1),
          CaptionProp<TLabel>(),
          ColorProp<TLabel>(clBtnFace),
          EnabledProp<TLabel>(),
          FontProp<TLabel>(),
          ParentColorProp<TLabel>(true),
          ParentFontProp<TLabel>(),
          Published<TLabel>("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
              .WithDefault(0),
          VisibleProp<TLabel>(),
          Published<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).WithDefault(0),
      });
  return meta;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

const TMetaClass& TGroupBox::StaticClass() {
  static const TMetaClass meta("TGroupBox", &TWinControl::StaticClass(), FactoryOf<TGroupBox>(),
                               {
                                   AnchorsProp<TGroupBox>(),
                                   CaptionProp<TGroupBox>(),
                                   ColorProp<TGroupBox>(clBtnFace),
                                   EnabledProp<TGroupBox>(),
                                   FontProp<TGroupBox>(),
                                   ParentColorProp<TGroupBox>(true),
                                   ParentFontProp<TGroupBox>(),
                                   TabOrderProp<TGroupBox>(),
                                   TabStopProp<TGroupBox>(false),
                                   VisibleProp<TGroupBox>(),
                               });
  return meta;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

}  // namespace wdx
