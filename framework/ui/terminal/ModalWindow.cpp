#include "framework/ui/terminal/ModalWindow.h"

namespace wdx::terminal {

void DrawWindow(TCanvas& screen, const TCellRect& window, const std::string& caption) {
  const TCellRect whole = screen.Whole();
  screen.Fill(window, TLook::Box, emNone, whole);
  screen.Frame(window, TLook::Box, emNone, whole);
  screen.Fill({window.Top, window.Left, window.Top, window.Right}, TLook::Title, emBold, whole);
  screen.Text(window.Top, window.Left + 1, caption, TLook::Title, emBold,
              {window.Top, window.Left + 1, window.Top, window.Right - 1});
}

}  // namespace wdx::terminal
