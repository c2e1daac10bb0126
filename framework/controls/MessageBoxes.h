// Modal message boxes. The front-end decides how one looks; the program says its caption,
// text, kind (which icon) and buttons, and gets the button pressed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/rtti/Set.h"

namespace wdx {

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgBtn : uint8_t { mbYes, mbNo, mbOK, mbCancel };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
// A box's answer, and the result of a form shown modally.
enum TModalResult : int { mrNone = 0, mrOK = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// The buttons a box shows, in the order it shows them: Yes, No, OK, Cancel, of those asked for;
// OK alone when none is. Closing the box any other way (Escape) answers Cancel where the box has
// it, and else the only button of a box that has one.
std::vector<TMsgDlgBtn> BoxButtons(TMsgDlgButtons buttons);
// The answer a button gives.
TModalResult ResultOf(TMsgDlgBtn button);
// What Escape answers: Cancel, or the only button; mrNone when Escape does not close the box.
TModalResult EscapeResult(TMsgDlgButtons buttons);
// A button's caption in the language the program's forms show: "Yes", "No", "OK" or "Cancel".
std::string ButtonCaption(TMsgDlgBtn button);

struct TMessageBox {
  std::string Caption;
  std::string Text;  // line breaks (CR, LF or both) are kept
  TMsgDlgType Type;
  TMsgDlgButtons Buttons;
};

using MessageBoxPresenter = std::function<TModalResult(const TMessageBox& box)>;
// Installed by the front-end that shows the program's windows.
void SetMessageBoxPresenter(MessageBoxPresenter presenter);
bool HasMessageBoxPresenter();

// Shows the box modally and returns the button pressed; raises EInvalidOperation when no
// front-end is installed.
TModalResult ShowMessageBox(const TMessageBox& box);
// A box captioned after its kind: "Warning", "Error", "Information" or "Confirm".
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

}  // namespace wdx
