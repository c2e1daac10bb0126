// A character canvas in memory for the terminal dialog's tests: ASCII texts land in their cells,
// frames are drawn with + - |, and each cell remembers its emphasis.
#pragma once

#include <string>
#include <vector>

#include "framework/ui/terminal/Canvas.h"

namespace wdx::test {

class TTextCanvas : public terminal::TCanvas {
 public:
  TTextCanvas(int rows, int columns)
      : rows_(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), ' ')),
        emphasis_(static_cast<size_t>(rows), std::vector<unsigned>(static_cast<size_t>(columns))) {}

  int Rows() const override { return static_cast<int>(rows_.size()); }
  int Columns() const override { return static_cast<int>(rows_.front().size()); }
  void Text(int row, int col, const std::string& text, terminal::TLook, unsigned emphasis,
            const terminal::TCellRect& clip) override {
    for (char c : text) Put(row, col++, c, emphasis, clip);
  }
  void Fill(const terminal::TCellRect& area, terminal::TLook, unsigned emphasis,
            const terminal::TCellRect& clip) override {
    for (int row = area.Top; row <= area.Bottom; ++row) {
      for (int col = area.Left; col <= area.Right; ++col) Put(row, col, ' ', emphasis, clip);
    }
  }
  void Frame(const terminal::TCellRect& area, terminal::TLook, unsigned emphasis,
             const terminal::TCellRect& clip) override {
    for (int col = area.Left; col <= area.Right; ++col) {
      const char c = col == area.Left || col == area.Right ? '+' : '-';
      Put(area.Top, col, c, emphasis, clip);
      Put(area.Bottom, col, c, emphasis, clip);
    }
    for (int row = area.Top + 1; row < area.Bottom; ++row) {
      Put(row, area.Left, '|', emphasis, clip);
      Put(row, area.Right, '|', emphasis, clip);
    }
  }
  void PlaceCursor(int row, int col) override {
    cursorRow_ = row;
    cursorCol_ = col;
  }

  // The whole picture, a line per row.
  std::string Picture() const {
    std::string picture;
    for (const std::string& row : rows_) picture += row + "\n";
    return picture;
  }
  // The row that holds `text`, or -1; its column in `col`.
  int Find(const std::string& text, int* col = nullptr) const {
    for (size_t row = 0; row < rows_.size(); ++row) {
      const size_t at = rows_[row].find(text);
      if (at == std::string::npos) continue;
      if (col) *col = static_cast<int>(at);
      return static_cast<int>(row);
    }
    return -1;
  }
  unsigned EmphasisAt(int row, int col) const {
    return emphasis_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  }
  int CursorRow() const { return cursorRow_; }
  int CursorCol() const { return cursorCol_; }

 private:
  void Put(int row, int col, char c, unsigned emphasis, const terminal::TCellRect& clip) {
    if (!clip.Contains(row, col) || !Whole().Contains(row, col)) return;
    rows_[static_cast<size_t>(row)][static_cast<size_t>(col)] = c;
    emphasis_[static_cast<size_t>(row)][static_cast<size_t>(col)] = emphasis;
  }

  std::vector<std::string> rows_;
  std::vector<std::vector<unsigned>> emphasis_;
  int cursorRow_ = -1;
  int cursorCol_ = -1;
};

}  // namespace wdx::test
