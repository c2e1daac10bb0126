#include "LangControl/Source/ComponentIndex.h"

#include "LangControl/Source/ComponentExplorerTools.h"

namespace wdx {

void TComponentIndex::Move(TComponentEntry* entry, const TComponent* from, const TComponent* to) {
  if (from == to) return;
  if (from) {
    const auto [first, last] = byTarget_.equal_range(from);
    for (auto it = first; it != last; ++it) {
      if (it->second == entry) {
        byTarget_.erase(it);
        break;
      }
    }
  }
  if (to) byTarget_.emplace(to, entry);
}

TComponentEntry* TComponentIndex::Find(const TComponent* component, const TCollection* list) const {
  if (!component || !list) return nullptr;
  const auto [first, last] = byTarget_.equal_range(component);
  TComponentEntry* found = nullptr;
  int foundAt = -1;
  for (auto it = first; it != last; ++it) {
    TComponentEntry* entry = it->second;
    if (entry->Collection() != list) continue;
    if (!found) {
      found = entry;
      continue;
    }
    // Several entries for one component: the last one in list order counts.
    if (foundAt < 0) foundAt = found->TCollectionItem::Index();
    const int at = entry->TCollectionItem::Index();
    if (at > foundAt) {
      found = entry;
      foundAt = at;
    }
  }
  return found;
}

void TComponentIndex::Clear(void (*forget)(TComponentEntry* entry)) {
  for (auto& [component, entry] : byTarget_) forget(entry);
  byTarget_.clear();
}

}  // namespace wdx
