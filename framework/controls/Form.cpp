#include "framework/controls/Form.h"

#include "framework/rtti/Published.h"

namespace wdx {

const TMetaClass& TCustomForm::StaticClass() {
  static const TMetaClass meta("TCustomForm", &TWinControl::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TForm::StaticClass() {
  static const TMetaClass meta("TForm", &TCustomForm::StaticClass(), FactoryOf<TForm>(), {});
  return meta;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {}

void TCustomForm::Activate() { OnActivate(this); }

void TCustomForm::Close() {
  if (closed_) return;
  closed_ = true;
  Changed();
}

}  // namespace wdx
