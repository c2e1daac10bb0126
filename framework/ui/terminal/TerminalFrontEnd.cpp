#include "framework/ui/terminal/TerminalFrontEnd.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/controls/Dialogs.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageBoxes.h"
#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/DialogKeys.h"
#include "framework/ui/terminal/DialogView.h"
#include "framework/ui/terminal/Keyboard.h"
#include "framework/ui/terminal/MessageBoxWindow.h"
#include "framework/ui/terminal/MirroredCanvas.h"
#include "framework/ui/terminal/ModalWindow.h"
#include "framework/ui/terminal/OpenDialogWindow.h"
#include "framework/ui/terminal/Screen.h"

namespace wdx {

using namespace terminal;

// One run of a form: the screen and keyboard, the dialog drawn on it with its focus and keys, and
// the modal windows open over it. Every change of a control's property redraws the screen.
class TTerminalFrontEnd::Session : public TModalHost {
 public:
  Session(TCustomForm& form, const TFileBrowsing& files)
      : form_(form),
        files_(files),
        focus_(form),
        view_(form, canvas_, focus_),
        keys_(form, focus_, this) {}

  int Run() {
    struct Restore {
      Session& session;
      ~Restore() {
        TControl::SetChangeHook(nullptr);
        SetMessageBoxPresenter(nullptr);
        TOpenDialog::SetPresenter(nullptr);
        TCustomForm::SetModalPresenter(nullptr);
        session.keyboard_.Stop();
        session.screen_.Stop();
      }
    } restore{*this};
    screen_.Start();
    keyboard_.Start();
    TControl::SetChangeHook([this](TControl&) { Redraw(); });
    SetMessageBoxPresenter([this](const TMessageBox& box) { return RunMessageBox(*this, box); });
    TOpenDialog::SetPresenter([this](TOpenDialog& dialog, std::string& chosen) {
      return RunOpenDialog(*this, files_, dialog, chosen);
    });
    TCustomForm::SetModalPresenter([this](TCustomForm& form) { RunModalForm(form); });
    Redraw();
    DispatchEvent(&form_, [&] { form_.Activate(); });
    while (!form_.IsClosed()) {
      Redraw();
      HandleKey(keyboard_.Read());
    }
    return 0;
  }

  TCanvas& Screen() override { return canvas_; }

  void Modal(const std::function<void()>& draw, const std::function<bool(const TKey&)>& key,
             const std::function<std::string()>& help) override {
    overlays_.push_back({draw, help});
    struct Pop {
      std::vector<TOverlay>& overlays;
      ~Pop() { overlays.pop_back(); }
    } pop{overlays_};
    while (true) {
      Redraw();
      if (!key(keyboard_.Read())) break;
    }
  }

  TCellRect CentredWindow(int rows, int columns) const override {
    const TCellRect screen = screen_.Whole();
    const TCellRect& dialog = view_.Area();
    const int centreRow = (dialog.Top + dialog.Bottom) / 2;
    const int centreCol = (dialog.Left + dialog.Right) / 2;
    int top = std::clamp(centreRow - rows / 2, 0, std::max(0, screen.Bottom - rows + 1));
    int left = std::clamp(centreCol - columns / 2, 0, std::max(0, screen.Right - columns + 1));
    return {top, left, top + rows - 1, left + columns - 1};
  }

 private:
  // A form shown modally: drawn over the dialog with its own focus and keys until it closes; the
  // key help under the dialog is its.
  void RunModalForm(TCustomForm& form) {
    TDialogFocus focus(form);
    TDialogView view(form, canvas_, focus);
    TDialogKeys keys(form, focus, this);
    DispatchEvent(&form, [&] { form.Activate(); });
    if (form.IsClosed()) return;
    Modal([&] { view.Draw("", false); },
          [&](const TKey& key) {
            if (!key.Is(TFunctionKey::Resize) && view.Fits()) keys.Handle(key);
            return !form.IsClosed();
          },
          [&] { return keys.Help(); });
  }

  void Redraw() {
    if (!screen_.Started() || drawing_) return;
    drawing_ = true;
    screen_.Erase();
    // A form that reads right to left is drawn mirrored, from one redraw to the next as its
    // language switches.
    canvas_.SetMirrored(form_.Mirrored());
    // Escape leaves a dialog that does not fit, unless a window over it waits for an answer; the
    // key help is the topmost window's.
    view_.Draw(overlays_.empty() ? keys_.Help() : overlays_.back().Help(), overlays_.empty());
    for (const TOverlay& overlay : overlays_) overlay.Draw();
    screen_.Show();
    drawing_ = false;
  }

  void HandleKey(const TKey& key) {
    if (key.Is(TFunctionKey::Resize)) return;
    if (!view_.Fits()) {
      // Nothing of the dialog can be seen or reached; the user may only leave.
      if (key.IsEscape()) form_.Close();
      return;
    }
    keys_.Handle(key);
  }

  TCustomForm& form_;
  const TFileBrowsing& files_;
  TScreen screen_;
  TMirroredCanvas canvas_{screen_};
  TKeyboard keyboard_;
  TDialogFocus focus_;
  TDialogView view_;
  TDialogKeys keys_;
  struct TOverlay {
    std::function<void()> Draw;
    std::function<std::string()> Help;
  };
  std::vector<TOverlay> overlays_;
  bool drawing_ = false;
};

int TTerminalFrontEnd::Run(TCustomForm& form) {
  return Session(form, files_).Run();
}

}  // namespace wdx
