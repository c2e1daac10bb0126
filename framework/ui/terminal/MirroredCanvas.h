// A canvas that shows a right-to-left form: while mirrored, every column is drawn at its mirror
// image across the canvas (the first control at the right, a frame's caption at its right end,
// the key help right-aligned), each text's visible part placed so that it ends where it began.
// Texts keep their logical order, each followed by a right-to-left mark for a terminal that lays
// out bidirectional text, so that its neutral characters (a colon, a full stop) read with it.
#pragma once

#include "framework/ui/terminal/Canvas.h"

namespace wdx::terminal {

class TMirroredCanvas : public TCanvas {
 public:
  explicit TMirroredCanvas(TCanvas& canvas) : canvas_(canvas) {}

  void SetMirrored(bool mirrored) { mirrored_ = mirrored; }
  bool Mirrored() const { return mirrored_; }

  int Rows() const override { return canvas_.Rows(); }
  int Columns() const override { return canvas_.Columns(); }
  void Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
            const TCellRect& clip) override;
  void Fill(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) override;
  void Frame(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) override;
  void PlaceCursor(int row, int col) override;

 private:
  TCellRect Mirror(const TCellRect& rect) const;

  TCanvas& canvas_;
  bool mirrored_ = false;
};

}  // namespace wdx::terminal
