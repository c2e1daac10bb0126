// The walk over the property entries of an entry tree, for any callable visit(entry, property,
// stop): the items of a list from the last to the first; for each, its own property entries
// from the last to the first, then its sub-entries the same way. Setting `stop` ends the walk,
// and the walk then returns false.
#pragma once

#include "LangControl/Source/ComponentExplorerTools.h"

namespace wdx {

template <class Visit>
bool VisitProperties(TMainEntry& entry, const Visit& visit);

template <class Visit>
bool VisitProperties(TMainEntries& entries, const Visit& visit) {
  for (int i = entries.Count(); i-- > 0;) {
    // A visitor that removed entries has shortened the list.
    if (i >= entries.Count()) continue;
    if (!VisitProperties(*entries.Items(i), visit)) return false;
  }
  return true;
}

template <class Visit>
bool VisitProperties(TMainEntry& entry, const Visit& visit) {
  TPropertyEntries& props = *entry.Props();
  bool stop = false;
  for (int i = props.Count(); i-- > 0;) {
    if (i >= props.Count()) continue;
    visit(&entry, props.Items(i), stop);
    if (stop) return false;
  }
  return entry.SubEntryCount() == 0 || VisitProperties(*entry.Items(), visit);
}

}  // namespace wdx
