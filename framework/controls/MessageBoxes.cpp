#include "framework/controls/MessageBoxes.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Texts.h"

namespace wdx {

namespace {

MessageBoxPresenter& Presenter() {
  static auto* presenter = new MessageBoxPresenter();
  return *presenter;
}

std::string CaptionOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return Translate(WDX_TEXT("MessageBox.Warning", "Warning"));
    case mtError:
      return Translate(WDX_TEXT("MessageBox.Error", "Error"));
    case mtInformation:
      return Translate(WDX_TEXT("MessageBox.Information", "Information"));
    case mtConfirmation:
      return Translate(WDX_TEXT("MessageBox.Confirm", "Confirm"));
  }
  return "";
}

}  // namespace

void SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  Presenter() = std::move(presenter);
}

bool HasMessageBoxPresenter() {
  return static_cast<bool>(Presenter());
}

TModalResult ShowMessageBox(const TMessageBox& box) {
  if (!Presenter()) throw EInvalidOperation("No front-end can show a message box");
  return Presenter()(box);
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return ShowMessageBox({CaptionOf(type), text, type, buttons});
}

}  // namespace wdx
