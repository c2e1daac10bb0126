// Modal windows of the terminal front-end (message boxes, the file-open dialog): drawn over the
// dialog, they take every key until they close.
#pragma once

#include <functional>
#include <string>

#include "framework/ui/terminal/Canvas.h"
#include "framework/ui/terminal/Key.h"

namespace wdx::terminal {

class TModalHost {
 public:
  virtual ~TModalHost() = default;

  virtual TCanvas& Screen() = 0;
  // Shows a window drawn by `draw` over everything else, and hands each key to `key` until it
  // returns false. While it is open, the key help line under the dialog reads `help`: the
  // window's own keys.
  virtual void Modal(const std::function<void()>& draw, const std::function<bool(const TKey&)>& key,
                     const std::function<std::string()>& help) = 0;
  // A window of the given size centred over the dialog, kept on the screen.
  virtual TCellRect CentredWindow(int rows, int columns) const = 0;
};

// A window's background, frame and caption bar.
void DrawWindow(TCanvas& screen, const TCellRect& window, const std::string& caption);

}  // namespace wdx::terminal
