// How the terminal lays a form's pixels out on character cells: a cell is 5 pixels wide and 13
// (one text line of the dialog font) high; pixels map to the nearest cell across and to the cell
// they fall in down. A tab sheet's client area starts past the tab strip, and a group box's frame
// runs through the middle of its caption. The drawing and the fit check of translated texts
// (formtool fit) both go by it.
#pragma once

namespace wdx {

class TControl;

namespace terminal {

inline constexpr int kCellWidth = 5;
inline constexpr int kCellHeight = 13;
inline constexpr int kPageInsetLeft = 4;
inline constexpr int kPageInsetTop = 24;
inline constexpr int kGroupFrameInset = 6;

inline int FloorDiv(int value, int divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}
inline int CeilDiv(int value, int divisor) {
  return FloorDiv(value + divisor - 1, divisor);
}
// The cell of pixel column x, and of pixel row y, counted from the form's client area.
inline int CellColumn(int x) {
  return FloorDiv(x + kCellWidth / 2, kCellWidth);
}
inline int CellRow(int y) {
  return FloorDiv(y, kCellHeight);
}

// Where a control's parent's client area starts, in pixels of the form's client area.
struct TPixelOrigin {
  int X = 0;
  int Y = 0;
};
TPixelOrigin ParentOrigin(const TControl& control);

}  // namespace terminal
}  // namespace wdx
