#include "framework/ui/terminal/kinds/ChoiceKeys.h"

#include <algorithm>

#include "framework/components/Strings.h"
#include "framework/rtl/Utf8.h"
#include "framework/ui/Choices.h"

namespace wdx::terminal::kinds {

bool IsChoiceKey(const TKey& key) {
  using F = TFunctionKey;
  return key.Printable() || key.Is(F::Up) || key.Is(F::Down) || key.Is(F::PageUp) ||
         key.Is(F::PageDown) || key.Is(F::Home) || key.Is(F::End);
}

bool ListKey(const TKey& key, int index, int count, int page, int& to) {
  using F = TFunctionKey;
  if (key.Is(F::Up) || key.Is(F::Down)) {
    to = StepItem(index, count, key.Is(F::Up) ? -1 : 1);
  } else if (key.Is(F::PageUp) || key.Is(F::PageDown)) {
    to = StepItem(index, count, (key.Is(F::PageUp) ? -1 : 1) * std::max(page, 1));
  } else if (key.Is(F::Home) || key.Is(F::End)) {
    to = StepItem(index, count, key.Is(F::Home) ? -count : count);
  } else {
    return false;
  }
  return true;
}

int TypeAhead(TViewState& state, const TStrings& items, int index, const TKey& key) {
  if (!key.Printable()) return -1;
  const auto now = std::chrono::steady_clock::now();
  if (now - state.TypedAt > std::chrono::seconds(1)) state.TypedAhead.clear();
  state.TypedAt = now;
  AppendUtf8(state.TypedAhead, static_cast<char32_t>(key.Char));
  return TypedItem(items, index, state.TypedAhead);
}

}  // namespace wdx::terminal::kinds
