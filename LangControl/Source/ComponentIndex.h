// Which entries of a component list target which component, so that the removal notice of a
// destroyed component finds its entries in constant time however long the list is.
//
// An open-addressing table of the entries themselves, hashed by their component: one pointer
// a slot and no block per entry. A removed entry leaves a marker in its slot, so that removing
// never looks at other entries; the markers go when the table is next rebuilt.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/rtti/StoreVector.h"

namespace wdx {

class TCollection;
class TComponent;
class TComponentEntry;

class TComponentIndex {
 public:
  TComponentIndex() = default;
  TComponentIndex(const TComponentIndex&) = delete;
  TComponentIndex& operator=(const TComponentIndex&) = delete;
  ~TComponentIndex() { Release(); }

  // `entry` targets `to` from now on instead of `from` (either may be nullptr). `expected`: how
  // many entries the table may come to hold, so that a list whose entries take their targets one
  // after the other (as after reading) has the table made once.
  void Move(TComponentEntry* entry, const TComponent* from, const TComponent* to,
            size_t expected = 0);
  // The entry of `list` that targets `component` (the last one in list order should there be
  // several), or nullptr.
  TComponentEntry* Find(const TComponent* component, const TCollection* list) const;
  // Calls `each` for every entry of `list` that targets `component`.
  void ForEach(const TComponent* component, const TCollection* list,
               void (*each)(TComponentEntry* entry)) const;

 private:
  static size_t Hash(const TComponent* component, size_t mask);
  void Insert(TComponentEntry* entry, const TComponent* to, size_t expected);
  void Erase(TComponentEntry* entry, const TComponent* from);
  // Makes room for one more entry: once the table would be over half full (markers counted), a
  // new one, with the entries alone, twice as large as the entries or `expected` need.
  void Reserve(size_t expected);
  void Release();

  TComponentEntry** slots_ = nullptr;  // nullptr: free; kRemoved: a removed entry's slot
  size_t capacity_ = 0;                // a power of two
  size_t entries_ = 0;
  size_t removed_ = 0;
};

}  // namespace wdx
