#include "framework/ui/terminal/LineEdit.h"

#include <algorithm>

#include "framework/rtl/Utf8.h"
#include "framework/ui/terminal/CellText.h"

namespace wdx::terminal {

bool TLineEdit::Key(const std::string& text, const TKey& key, bool readOnly,
                    const std::function<void(const std::string&)>& commit) {
  Cursor = std::min(Cursor, text.size());
  if (key.Is(TFunctionKey::Left)) {
    Cursor = PreviousCharacter(text, Cursor);
  } else if (key.Is(TFunctionKey::Right)) {
    Cursor = NextCharacter(text, Cursor);
  } else if (key.Is(TFunctionKey::Home)) {
    Cursor = 0;
  } else if (key.Is(TFunctionKey::End)) {
    Cursor = text.size();
  } else if (key.IsBackspace()) {
    if (readOnly || Cursor == 0) return true;
    const size_t from = PreviousCharacter(text, Cursor);
    std::string changed = text;
    changed.erase(from, Cursor - from);
    Cursor = from;
    commit(changed);
  } else if (key.Is(TFunctionKey::Delete)) {
    if (readOnly || Cursor >= text.size()) return true;
    std::string changed = text;
    changed.erase(Cursor, NextCharacter(text, Cursor) - Cursor);
    commit(changed);
  } else if (key.Printable()) {
    if (readOnly) return true;
    std::string typed;
    AppendUtf8(typed, static_cast<char32_t>(key.Char));
    std::string changed = text;
    changed.insert(Cursor, typed);
    Cursor += typed.size();
    commit(changed);
  } else {
    return false;
  }
  return true;
}

void TLineEdit::Fit(const std::string& text, size_t width) {
  const int columns = static_cast<int>(std::max<size_t>(width, 1));
  const std::string_view view = text;
  Cursor = std::min(Cursor, text.size());
  Scroll = std::min(Scroll, Cursor);
  // The caret's cell must lie in the field: scroll on by characters until it does. Widths are
  // kept as the scroll moves, so that a redraw costs the length of the text once.
  int beforeCaret = TextWidth(view.substr(Scroll, Cursor - Scroll));
  while (Scroll < Cursor && beforeCaret >= columns) {
    const size_t next = NextCharacter(view, Scroll);
    beforeCaret -= TextWidth(view.substr(Scroll, next - Scroll));
    Scroll = next;
  }
  // Text deleted at the end pulls the text before the field back into view: the cell after the
  // last character is the last one ever left empty.
  int shown = TextWidth(view.substr(Scroll));
  while (Scroll > 0) {
    const size_t before = PreviousCharacter(view, Scroll);
    const int added = TextWidth(view.substr(before, Scroll - before));
    if (shown + added >= columns) break;
    shown += added;
    Scroll = before;
  }
}

}  // namespace wdx::terminal
