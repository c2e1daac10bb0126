#include "LangControl/Source/ComponentIndex.h"

#include <algorithm>
#include <cstring>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "framework/rtti/ObjectStore.h"

namespace wdx {

namespace {

// The marker of a removed entry: never the address of an entry.
TComponentEntry* const kRemoved = reinterpret_cast<TComponentEntry*>(uintptr_t{1});

}  // namespace

size_t TComponentIndex::Hash(const TComponent* component, size_t mask) {
  // Fibonacci hashing of the address: blocks of the store lie 8 or more bytes apart.
  const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(component));
  return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ull) >> 32) & mask;
}

void TComponentIndex::Move(TComponentEntry* entry, const TComponent* from, const TComponent* to,
                           size_t expected) {
  if (from == to) return;
  if (from) Erase(entry, from);
  if (to) Insert(entry, to, expected);
}

void TComponentIndex::Insert(TComponentEntry* entry, const TComponent* to, size_t expected) {
  Reserve(expected);
  const size_t mask = capacity_ - 1;
  for (size_t at = Hash(to, mask);; at = (at + 1) & mask) {
    if (slots_[at] && slots_[at] != kRemoved) continue;
    if (slots_[at] == kRemoved) --removed_;
    slots_[at] = entry;
    ++entries_;
    return;
  }
}

void TComponentIndex::Erase(TComponentEntry* entry, const TComponent* from) {
  if (!slots_) return;
  const size_t mask = capacity_ - 1;
  for (size_t at = Hash(from, mask); slots_[at]; at = (at + 1) & mask) {
    if (slots_[at] != entry) continue;
    slots_[at] = kRemoved;
    --entries_;
    ++removed_;
    if (entries_ == 0) {
      // Nothing left: a fresh start, without markers.
      std::memset(slots_, 0, capacity_ * sizeof(TComponentEntry*));
      removed_ = 0;
    }
    return;
  }
}

TComponentEntry* TComponentIndex::Find(const TComponent* component, const TCollection* list) const {
  if (!component || !list || !slots_) return nullptr;
  const size_t mask = capacity_ - 1;
  TComponentEntry* found = nullptr;
  int foundAt = -1;
  for (size_t at = Hash(component, mask); slots_[at]; at = (at + 1) & mask) {
    TComponentEntry* entry = slots_[at];
    if (entry == kRemoved || entry->Ref() != component || entry->Collection() != list) continue;
    if (!found) {
      found = entry;
      continue;
    }
    // Several entries for one component: the last one in list order counts.
    if (foundAt < 0) foundAt = found->TCollectionItem::Index();
    const int index = entry->TCollectionItem::Index();
    if (index > foundAt) {
      found = entry;
      foundAt = index;
    }
  }
  return found;
}

void TComponentIndex::ForEach(const TComponent* component, const TCollection* list,
                              void (*each)(TComponentEntry* entry)) const {
  if (!component || !list || !slots_) return;
  const size_t mask = capacity_ - 1;
  for (size_t at = Hash(component, mask); slots_[at]; at = (at + 1) & mask) {
    TComponentEntry* entry = slots_[at];
    if (entry != kRemoved && entry->Ref() == component && entry->Collection() == list) each(entry);
  }
}

void TComponentIndex::Reserve(size_t expected) {
  if (slots_ && 2 * (entries_ + removed_ + 1) <= capacity_) return;
  size_t capacity = capacity_ ? capacity_ : 16;
  const size_t wanted = std::max(entries_ + 1, expected);
  while (2 * wanted > capacity) capacity *= 2;
  auto** slots =
      static_cast<TComponentEntry**>(object_store::Allocate(capacity * sizeof(TComponentEntry*)));
  std::memset(slots, 0, capacity * sizeof(TComponentEntry*));
  const size_t mask = capacity - 1;
  for (size_t i = 0; i < capacity_; ++i) {
    TComponentEntry* entry = slots_[i];
    if (!entry || entry == kRemoved) continue;
    size_t at = Hash(entry->Ref(), mask);
    while (slots[at]) at = (at + 1) & mask;
    slots[at] = entry;
  }
  Release();
  slots_ = slots;
  capacity_ = capacity;
  removed_ = 0;
}

void TComponentIndex::Release() {
  if (slots_) object_store::Free(slots_, capacity_ * sizeof(TComponentEntry*));
  slots_ = nullptr;
  capacity_ = 0;
}

}  // namespace wdx
