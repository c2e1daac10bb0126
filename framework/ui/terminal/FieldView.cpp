#include "framework/ui/terminal/FieldView.h"

#include <algorithm>
#include <string_view>

#include "framework/ui/terminal/CellText.h"

namespace wdx::terminal {

void DrawField(TCanvas& screen, TLineEdit& caret, const std::string& text, const TCellRect& area,
               int start, TLook look, unsigned emphasis, const TCellRect& clip, bool focused) {
  const int width = std::max(area.Right - start + 1, 1);
  if (focused) {
    caret.Fit(text, static_cast<size_t>(width));
  } else {
    caret.Scroll = 0;
  }
  screen.Fill(area, look, emphasis, clip);
  const std::string_view shown = std::string_view(text).substr(std::min(caret.Scroll, text.size()));
  screen.Text(area.Top, start, std::string(shown.substr(0, FittingPrefix(shown, width))), look,
              emphasis, clip.Intersect(area));
  if (focused) {
    const size_t before =
        std::min(caret.Cursor, text.size()) - std::min(caret.Scroll, caret.Cursor);
    screen.PlaceCursor(area.Top, start + TextWidth(shown.substr(0, before)));
  }
}

}  // namespace wdx::terminal
