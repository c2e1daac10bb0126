#include "framework/controls/Dialogs.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtti/DeclaredDefaults.h"
#include "framework/rtti/Published.h"

namespace wdx {

namespace {

TOpenDialog::Presenter& ThePresenter() {
  static auto* presenter = new TOpenDialog::Presenter();
  return *presenter;
}

}  // namespace

const TMetaClass& TOpenDialog::StaticClass() {
  static const TMetaClass meta(
      "TOpenDialog", &TComponent::StaticClass(), FactoryOf<TOpenDialog>(),
      {
          Published<TOpenDialog>("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::DefaultExt),
          Published<TOpenDialog>("FileName", &TOpenDialog::FileName, &TOpenDialog::FileName),
          Published<TOpenDialog>("Filter", &TOpenDialog::Filter, &TOpenDialog::Filter),
          Published<TOpenDialog>("FilterIndex", &TOpenDialog::FilterIndex,
                                 &TOpenDialog::FilterIndex)
              .WithDefault(1),
          Published<TOpenDialog>("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::InitialDir),
          Published<TOpenDialog>("Title", &TOpenDialog::Title, &TOpenDialog::Title),
      });
  return meta;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {
  ApplyDeclaredDefaults(*this, CachedClass());
}

void TOpenDialog::SetPresenter(Presenter presenter) {
  ThePresenter() = std::move(presenter);
}

bool TOpenDialog::Execute() {
  if (!ThePresenter()) throw EInvalidOperation("No front-end can show the file-open dialog");
  std::string chosen;
  if (!ThePresenter()(*this, chosen)) return false;
  FileName = chosen;
  return true;
}

}  // namespace wdx
