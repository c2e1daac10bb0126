// Adding a language to a language manager's data, the way a translator adds one: the new
// language takes the next slot, and until its texts are translated it shows those of the
// active language.
#pragma once

#include <string>

namespace wdx {

class TLanguageEntry;
class TLanguageManager;

// Appends the language `name` (trimmed) to the manager's languages with the next SubIndex
// (the number of languages it had) and gives every property entry, string-table lines
// included, one slot more holding a copy of its active value (an empty or Null active value
// leaves the new slot empty). Slots of the other languages are not touched. Returns the new
// language. Raises "AddLanguage: Empty language name", "AddLanguage: Language '<name>' already
// exists" (a name that SameLanguage matches) and "AddLanguage: Inconsistent language slots"
// (SubIndexes that are not 0 to n - 1), before changing anything.
TLanguageEntry* AddLanguage(TLanguageManager& manager, const std::string& name);

}  // namespace wdx
