// The rules of choosing that every front-end follows: which radio button an arrow key goes to,
// which item the list keys and typing go to.
#pragma once

#include <string>

namespace wdx {

class TRadioButton;
class TStrings;

// The radio button `step` places from `from` among the usable radio buttons of its parent, in tab
// order, going round at either end; nullptr when there is no other.
TRadioButton* NeighbourRadio(const TRadioButton& from, int step);

// The item `step` places from `index` among `count` items, stopping at the first and the last; from
// no item (-1), a step forwards goes to the first and a step backwards to the last.
int StepItem(int index, int count, int step);

// The item that typing `typed` goes to from item `index`: the next item, going round, whose text
// starts with it, ignoring the case of ASCII letters; a repeated single character goes on to the
// next item that starts with that character. -1 when no item matches.
int TypedItem(const TStrings& items, int index, const std::string& typed);

}  // namespace wdx
