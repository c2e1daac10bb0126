#include "framework/ui/terminal/TextArea.h"

#include <algorithm>

#include "framework/ui/terminal/CellText.h"
#include "framework/ui/terminal/LineEdit.h"

namespace wdx::terminal {

namespace {

using F = TFunctionKey;

// The offset in `line` nearest to `cells` cells from its start, at a character boundary.
size_t OffsetAtCells(const std::string& line, int cells) {
  return FittingPrefix(line, std::max(cells, 0));
}

}  // namespace

bool TTextArea::Key(std::vector<std::string>& lines, const TKey& key, bool readOnly, int page,
                    bool& changed) {
  changed = false;
  if (lines.empty()) lines.emplace_back();
  const int last = static_cast<int>(lines.size()) - 1;
  Line = std::clamp(Line, 0, last);
  std::string& line = lines[static_cast<size_t>(Line)];
  Offset = std::min(Offset, line.size());
  const int column = TextWidth(std::string_view(line).substr(0, Offset));
  auto goToLine = [&](int target) {
    Line = std::clamp(target, 0, last);
    Offset = OffsetAtCells(lines[static_cast<size_t>(Line)], column);
  };
  if (key.Is(F::Up) || key.Is(F::Down)) {
    goToLine(Line + (key.Is(F::Up) ? -1 : 1));
  } else if (key.Is(F::PageUp) || key.Is(F::PageDown)) {
    goToLine(Line + (key.Is(F::PageUp) ? -1 : 1) * std::max(page, 1));
  } else if (key.Is(F::Left) && Offset == 0 && Line > 0) {
    --Line;
    Offset = lines[static_cast<size_t>(Line)].size();
  } else if (key.Is(F::Right) && Offset == line.size() && Line < last) {
    ++Line;
    Offset = 0;
  } else if (key.IsEnter()) {
    if (readOnly) return true;
    std::string rest = line.substr(Offset);
    line.erase(Offset);
    lines.insert(lines.begin() + Line + 1, std::move(rest));
    ++Line;
    Offset = 0;
    changed = true;
  } else if (key.IsBackspace() && Offset == 0) {
    if (readOnly || Line == 0) return true;
    std::string& previous = lines[static_cast<size_t>(Line - 1)];
    Offset = previous.size();
    previous += line;
    lines.erase(lines.begin() + Line);
    --Line;
    changed = true;
  } else if (key.Is(F::Delete) && Offset == line.size()) {
    if (readOnly || Line == last) return true;
    line += lines[static_cast<size_t>(Line + 1)];
    lines.erase(lines.begin() + Line + 1);
    changed = true;
  } else {
    TLineEdit caret{Offset, 0};
    const bool taken = caret.Key(line, key, readOnly, [&](const std::string& text) {
      line = text;
      changed = true;
    });
    Offset = caret.Cursor;
    return taken;
  }
  return true;
}

void TTextArea::Fit(const std::vector<std::string>& lines, int rows, int columns) {
  const int count = std::max(static_cast<int>(lines.size()), 1);
  Line = std::clamp(Line, 0, count - 1);
  rows = std::max(rows, 1);
  columns = std::max(columns, 1);
  if (Line < TopLine) TopLine = Line;
  if (Line >= TopLine + rows) TopLine = Line - rows + 1;
  TopLine = std::clamp(TopLine, 0, std::max(count - rows, 0));
  const std::string_view line =
      lines.empty() ? std::string_view() : std::string_view(lines[static_cast<size_t>(Line)]);
  Offset = std::min(Offset, line.size());
  const int caret = TextWidth(line.substr(0, Offset));
  if (caret < LeftCells) LeftCells = caret;
  if (caret >= LeftCells + columns) LeftCells = caret - columns + 1;
}

}  // namespace wdx::terminal
