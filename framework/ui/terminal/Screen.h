// The character screen of the terminal front-end, over curses: a canvas that shows its texts in
// the terminal's own character set.
#pragma once

#include <string>

#include "framework/ui/terminal/Canvas.h"

namespace wdx::terminal {

class TScreen : public TCanvas {
 public:
  TScreen() = default;
  TScreen(const TScreen&) = delete;
  TScreen& operator=(const TScreen&) = delete;
  ~TScreen() override;

  void Start();
  void Stop();
  bool Started() const { return started_; }

  int Rows() const override;
  int Columns() const override;

  // Starts a new picture; nothing reaches the terminal before Show.
  void Erase();
  void Text(int row, int col, const std::string& text, TLook look, unsigned emphasis,
            const TCellRect& clip) override;
  void Fill(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) override;
  void Frame(const TCellRect& area, TLook look, unsigned emphasis, const TCellRect& clip) override;
  void PlaceCursor(int row, int col) override;
  void Show();

 private:
  void Attributes(TLook look, unsigned emphasis);
  // One cell: a character and the combining marks that follow it, ended by 0.
  void Put(int row, int col, const wchar_t* cell, const TCellRect& clip);

  bool started_ = false;
  bool colours_ = false;
  int cursorRow_ = -1;
  int cursorCol_ = -1;
};

}  // namespace wdx::terminal
