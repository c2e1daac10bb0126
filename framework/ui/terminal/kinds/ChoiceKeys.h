// Keys that choose among items, shared by the kinds of lists: the list keys and typing the start
// of an item's text (type-ahead: what is typed within a second of the last character adds to it).
#pragma once

#include "framework/ui/terminal/DialogFocus.h"
#include "framework/ui/terminal/Key.h"

namespace wdx {
class TStrings;
}

namespace wdx::terminal::kinds {

// Whether the key is a list key or a character typed ahead.
bool IsChoiceKey(const TKey& key);
// The item a list key goes to from `index` (Up, Down, PageUp and PageDown by `page`, Home, End);
// false for another key.
bool ListKey(const TKey& key, int index, int count, int page, int& to);
// The item that typing the key's character goes to; -1 when it is no character or matches none.
int TypeAhead(TViewState& state, const TStrings& items, int index, const TKey& key);

}  // namespace wdx::terminal::kinds
