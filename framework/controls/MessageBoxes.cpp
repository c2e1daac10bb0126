#include "framework/controls/MessageBoxes.h"

#include "framework/rtl/Exceptions.h"

namespace wdx {

namespace {

MessageBoxPresenter& Presenter() {
  static auto* presenter = new MessageBoxPresenter();
  return *presenter;
}

const char* CaptionOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return "Warning";
    case mtError:
      return "Error";
    case mtInformation:
      return "Information";
    case mtConfirmation:
      return "Confirm";
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
