#include "framework/components/NameIndex.h"

#include "framework/components/Component.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/LiveObjects.h"

#include <utility>

namespace wdx {

uint32_t TNameIndex::Hash(std::string_view name) {
  return static_cast<uint32_t>(CaseFoldedHash(name) >> 32);
}

TComponent* TNameIndex::ComponentOf(const Slot& slot) {
  // A component leaves the index before it is gone, so its handle still finds it.
  return static_cast<TComponent*>(live_objects::Find(slot.handle));
}

size_t TNameIndex::Locate(std::string_view name, uint32_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (!slot.handle) return i;
    if (slot.hash == hash) {
      const TComponent* component = ComponentOf(slot);
      if (component && SameText(component->Name(), name)) return i;
    }
  }
}

TComponent* TNameIndex::Find(std::string_view name) const {
  if (size_ == 0) return nullptr;
  return ComponentOf(slots_[Locate(name, Hash(name))]);
}

void TNameIndex::Insert(std::string_view name, TComponent* component) {
  if (!component) return;
  if (2 * (size_ + 1) > slots_.size()) Grow();
  const uint32_t hash = Hash(name);
  Slot& slot = slots_[Locate(name, hash)];
  if (!slot.handle) ++size_;
  slot = Slot{hash, component->Handle()};
}

void TNameIndex::Erase(std::string_view name, const TComponent* component) {
  if (size_ == 0 || !component) return;
  const size_t mask = slots_.size() - 1;
  size_t hole = Locate(name, Hash(name));
  // A component without a handle was never indexed (and is not given one here).
  if (!slots_[hole].handle || slots_[hole].handle != component->HandleIfAny()) return;
  slots_[hole].handle = 0;
  --size_;
  // Closes the gap: every later slot of the run whose home lies at or before the hole moves
  // back into it, so a search never stops early at a free slot.
  for (size_t i = (hole + 1) & mask; slots_[i].handle; i = (i + 1) & mask) {
    const size_t home = slots_[i].hash & mask;
    const bool movable = hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
    if (!movable) continue;
    slots_[hole] = slots_[i];
    slots_[i].handle = 0;
    hole = i;
  }
}

void TNameIndex::Clear() {
  slots_ = std::vector<Slot>();
  size_ = 0;
}

void TNameIndex::Grow() {
  const size_t capacity = slots_.empty() ? 8 : 2 * slots_.size();
  const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity, Slot{0, 0}));
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.handle) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].handle) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace wdx
