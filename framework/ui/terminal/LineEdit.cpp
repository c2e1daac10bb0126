#include "framework/ui/terminal/LineEdit.h"

#include <algorithm>

namespace wdx::terminal {

bool TLineEdit::Key(const std::string& text, const TKey& key, bool readOnly,
                    const std::function<void(const std::string&)>& commit) {
  Cursor = std::min(Cursor, text.size());
  if (key.Is(TFunctionKey::Left)) {
    if (Cursor > 0) --Cursor;
  } else if (key.Is(TFunctionKey::Right)) {
    if (Cursor < text.size()) ++Cursor;
  } else if (key.Is(TFunctionKey::Home)) {
    Cursor = 0;
  } else if (key.Is(TFunctionKey::End)) {
    Cursor = text.size();
  } else if (key.IsBackspace()) {
    if (readOnly || Cursor == 0) return true;
    std::string changed = text;
    changed.erase(--Cursor, 1);
    commit(changed);
  } else if (key.Is(TFunctionKey::Delete)) {
    if (readOnly || Cursor >= text.size()) return true;
    std::string changed = text;
    changed.erase(Cursor, 1);
    commit(changed);
  } else if (key.Printable()) {
    if (readOnly) return true;
    std::string changed = text;
    changed.insert(Cursor++, 1, static_cast<char>(key.Char));
    commit(changed);
  } else {
    return false;
  }
  return true;
}

void TLineEdit::Fit(size_t length, size_t width) {
  width = std::max<size_t>(width, 1);
  Cursor = std::min(Cursor, length);
  if (Cursor < Scroll) Scroll = Cursor;
  if (Cursor >= Scroll + width) Scroll = Cursor - width + 1;
  // Text deleted at the end pulls the text before the window back into view.
  const size_t filled = length + 1 > width ? length + 1 - width : 0;
  Scroll = std::min(Scroll, filled);
}

}  // namespace wdx::terminal
