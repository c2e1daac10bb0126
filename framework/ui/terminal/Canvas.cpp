#include "framework/ui/terminal/Canvas.h"

#include <algorithm>

namespace wdx::terminal {

TCellRect TCellRect::Intersect(const TCellRect& other) const {
  return {std::max(Top, other.Top), std::max(Left, other.Left), std::min(Bottom, other.Bottom),
          std::min(Right, other.Right)};
}

}  // namespace wdx::terminal
