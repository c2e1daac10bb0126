// Which entries of a component list target which component, so that the removal notice of a
// destroyed component finds its entries in constant time however long the list is.
#pragma once

#include <functional>
#include <unordered_map>
#include <utility>

#include "framework/rtti/ObjectStore.h"

namespace wdx {

class TCollection;
class TComponent;
class TComponentEntry;

class TComponentIndex {
 public:
  // `entry` targets `to` from now on instead of `from` (either may be nullptr).
  void Move(TComponentEntry* entry, const TComponent* from, const TComponent* to);
  // The entry of `list` that targets `component` (the last one in list order should there be
  // several), or nullptr.
  TComponentEntry* Find(const TComponent* component, const TCollection* list) const;
  // Calls `forget` for every entry of the index and empties it.
  void Clear(void (*forget)(TComponentEntry* entry));

 private:
  std::unordered_multimap<const TComponent*, TComponentEntry*, std::hash<const TComponent*>,
                          std::equal_to<>,
                          StoreAllocator<std::pair<const TComponent* const, TComponentEntry*>>>
      byTarget_;
};

}  // namespace wdx
