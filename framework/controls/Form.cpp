#include "framework/controls/Form.h"

#include "framework/components/Reader.h"
#include "framework/components/Writer.h"
#include "framework/controls/ControlProps.h"
#include "framework/controls/FormControl.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtti/DeclaredDefaults.h"

namespace wdx {

WDX_DEFINE_ENUM(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                "bdRightToLeftReadingOnly")
WDX_DEFINE_ENUM(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
WDX_DEFINE_SET(TBorderIcons, "TBorderIcons", TBorderIcon)
WDX_DEFINE_ENUM(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                "bsSizeToolWin")
WDX_DEFINE_ENUM(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

const TMetaClass& TCustomForm::StaticClass() {
  static const TMetaClass meta("TCustomForm", &TWinControl::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TForm::StaticClass() {
  using F = TForm;
  static const TMetaClass meta(
      "TForm", &TCustomForm::StaticClass(), FactoryOf<TForm>(),
      {
          // A form stores its client size instead of its outer size.
          Published<F>("Width", &F::Width, &F::SetWidth).NotStored(),
          Published<F>("Height", &F::Height, &F::SetHeight).NotStored(),
          Published<F>("BiDiMode", &F::BiDiMode, &F::SetBiDiMode).WithDefault(bdLeftToRight),
          Published<F>("BorderIcons", &F::BorderIcons, &F::SetBorderIcons)
              .WithDefault(
                  static_cast<int32_t>(TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Bits())),
          Published<F>("BorderStyle", &F::BorderStyle, &F::SetBorderStyle).WithDefault(bsSizeable),
          CaptionProp<F>(),
          Published<F>("ClientHeight", &F::ClientHeight, &F::SetClientHeight),
          Published<F>("ClientWidth", &F::ClientWidth, &F::SetClientWidth),
          // No default: a form stores its colour whatever it is.
          Published<F>("Color", &F::Color, &F::SetColor),
          FontProp<F>(),
          Published<F>("Icon", &F::Icon, &F::SetIcon).StoredWhen([](const TObject* o) {
            return !CastTo<F>(o).Icon()->Empty();
          }),
          Published<F>("Position", &F::Position, &F::SetPosition).WithDefault(poDesigned),
          Published<F>("OnActivate", &F::OnActivate, &F::OnActivate),
      });
  return meta;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetParentFont(false);
  SetParentColor(false);
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TForm::Loaded() {
  TCustomForm::Loaded();
  for (TFormControlBinding* control : controls_) control->Bind(*this);
}

void TCustomForm::SetIcon(TIcon* icon) {
  if (icon && icon != icon_.get()) icon_->Assign(icon);
  Changed();
}

void TCustomForm::Activate() {
  OnActivate(this);
}

void TCustomForm::Close() {
  if (closed_) return;
  if (modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
  closed_ = true;
  Changed();
}

namespace {

TCustomForm::ModalPresenter& Presenter() {
  static auto* presenter = new TCustomForm::ModalPresenter();
  return *presenter;
}

}  // namespace

void TCustomForm::SetModalPresenter(ModalPresenter presenter) {
  Presenter() = std::move(presenter);
}

TCustomForm::ModalPresenter TCustomForm::CurrentModalPresenter() {
  return Presenter();
}

void TCustomForm::SetModalResult(int32_t value) {
  modalResult_ = value;
  if (value != mrNone && modal_) Close();
}

int32_t TCustomForm::ShowModal() {
  if (!Presenter()) throw EInvalidOperation("No front-end can show a form modally");
  if (modal_) throw EInvalidOperation("The form is shown modally already");
  modal_ = true;
  modalResult_ = mrNone;
  closed_ = false;
  struct Shown {
    TCustomForm& form;
    ~Shown() { form.modal_ = false; }
  } shown{*this};
  // A copy: the presenter may show another form modally, which sets and restores the one
  // installed.
  const ModalPresenter present = Presenter();
  present(*this);
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  return modalResult_;
}

TCustomForm* ParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return ObjectCast<TCustomForm>(control);
}

void TCustomForm::DefineProperties(TFiler* filer) {
  TWinControl::DefineProperties(filer);
  filer->DefineProperty(
      "PixelsPerInch", [this](TReader& reader) { PixelsPerInch = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(PixelsPerInch); }, true);
  filer->DefineProperty(
      "TextHeight", [this](TReader& reader) { TextHeight = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(TextHeight); }, true);
}

}  // namespace wdx
