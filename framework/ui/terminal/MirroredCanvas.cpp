#include "framework/ui/terminal/MirroredCanvas.h"

#include <algorithm>

#include "framework/ui/terminal/CellText.h"

namespace wdx::terminal {

namespace {

// U+200F RIGHT-TO-LEFT MARK, which takes no cell.
constexpr char kRightToLeftMark[] = "\xE2\x80\x8F";

}  // namespace

TCellRect TMirroredCanvas::Mirror(const TCellRect& rect) const {
  const int last = Columns() - 1;
  return {rect.Top, last - rect.Right, rect.Bottom, last - rect.Left};
}

void TMirroredCanvas::Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
                           const TCellRect& clip) {
  if (!mirrored_) return canvas_.Text(row, col, text, look, emphasis, clip);
  // The part of the text the clip shows, as it would be shown left to right.
  const TCellRect visible = clip.Intersect(Whole());
  std::string_view shown = text;
  int start = col;
  while (!shown.empty() && start < visible.Left) {
    const size_t next = NextCharacter(shown, 0);
    start += TextWidth(shown.substr(0, next));
    shown.remove_prefix(next);
  }
  shown = shown.substr(0, FittingPrefix(shown, visible.Right - start + 1));
  if (shown.empty()) return;
  const int width = TextWidth(shown);
  const int mirroredStart = Columns() - start - width;
  canvas_.Text(row, mirroredStart, std::string(shown) + kRightToLeftMark, look, emphasis,
               Mirror(clip));
}

void TMirroredCanvas::Fill(const TCellRect& area, TLook look, unsigned emphasis,
                           const TCellRect& clip) {
  if (!mirrored_) return canvas_.Fill(area, look, emphasis, clip);
  canvas_.Fill(Mirror(area), look, emphasis, Mirror(clip));
}

void TMirroredCanvas::Frame(const TCellRect& area, TLook look, unsigned emphasis,
                            const TCellRect& clip) {
  if (!mirrored_) return canvas_.Frame(area, look, emphasis, clip);
  canvas_.Frame(Mirror(area), look, emphasis, Mirror(clip));
}

void TMirroredCanvas::PlaceCursor(int row, int col) {
  canvas_.PlaceCursor(row, mirrored_ ? Columns() - 1 - col : col);
}

}  // namespace wdx::terminal
