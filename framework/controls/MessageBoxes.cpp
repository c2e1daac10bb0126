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

std::vector<TMsgDlgBtn> BoxButtons(TMsgDlgButtons buttons) {
  std::vector<TMsgDlgBtn> shown;
  for (TMsgDlgBtn button : {mbYes, mbNo, mbOK, mbCancel}) {
    if (buttons.Contains(button)) shown.push_back(button);
  }
  if (shown.empty()) shown.push_back(mbOK);
  return shown;
}

std::string ButtonCaption(TMsgDlgBtn button) {
  switch (button) {
    case mbYes:
      return Translate(WDX_TEXT("MessageBox.Yes", "Yes"));
    case mbNo:
      return Translate(WDX_TEXT("MessageBox.No", "No"));
    case mbOK:
      return Translate(WDX_TEXT("MessageBox.OK", "OK"));
    case mbCancel:
      return Translate(WDX_TEXT("MessageBox.Cancel", "Cancel"));
  }
  return "";
}

TModalResult ResultOf(TMsgDlgBtn button) {
  switch (button) {
    case mbYes:
      return mrYes;
    case mbNo:
      return mrNo;
    case mbOK:
      return mrOK;
    case mbCancel:
      return mrCancel;
  }
  return mrNone;
}

TModalResult EscapeResult(TMsgDlgButtons buttons) {
  const std::vector<TMsgDlgBtn> shown = BoxButtons(buttons);
  if (buttons.Contains(mbCancel)) return mrCancel;
  return shown.size() == 1 ? ResultOf(shown.front()) : mrNone;
}

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
