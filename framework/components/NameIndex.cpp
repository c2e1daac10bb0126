#include "framework/components/NameIndex.h"

#include "framework/components/Component.h"
#include "framework/rtl/StrUtils.h"

#include <utility>

namespace wdx {

uint64_t TNameIndex::Hash(std::string_view name) {
  // FNV-1a over the upper-cased bytes, so names differing only in case meet.
  uint64_t hash = 14695981039346656037ull;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiUpper(c))) * 1099511628211ull;
  return hash;
}

size_t TNameIndex::Locate(std::string_view name, uint64_t hash) const {
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (!slot.component) return i;
    if (slot.hash == hash && SameText(slot.component->Name(), name)) return i;
  }
}

TComponent* TNameIndex::Find(std::string_view name) const {
  if (size_ == 0) return nullptr;
  return slots_[Locate(name, Hash(name))].component;
}

void TNameIndex::Insert(std::string_view name, TComponent* component) {
  if (!component) return;
  if (2 * (size_ + 1) > slots_.size()) Grow();
  const uint64_t hash = Hash(name);
  Slot& slot = slots_[Locate(name, hash)];
  if (!slot.component) ++size_;
  slot = Slot{hash, component};
}

void TNameIndex::Erase(std::string_view name, const TComponent* component) {
  if (size_ == 0) return;
  const size_t mask = slots_.size() - 1;
  size_t hole = Locate(name, Hash(name));
  if (!component || slots_[hole].component != component) return;
  slots_[hole].component = nullptr;
  --size_;
  // Closes the gap: every later slot of the run whose home lies at or before the hole moves
  // back into it, so a search never stops early at a free slot.
  for (size_t i = (hole + 1) & mask; slots_[i].component; i = (i + 1) & mask) {
    const size_t home = slots_[i].hash & mask;
    const bool movable = hole <= i ? (home <= hole || home > i) : (home <= hole && home > i);
    if (!movable) continue;
    slots_[hole] = slots_[i];
    slots_[i].component = nullptr;
    hole = i;
  }
}

void TNameIndex::Clear() {
  slots_ = std::vector<Slot>();
  size_ = 0;
}

void TNameIndex::Grow() {
  const size_t capacity = slots_.empty() ? 8 : 2 * slots_.size();
  const std::vector<Slot> old =
      std::exchange(slots_, std::vector<Slot>(capacity, Slot{0, nullptr}));
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (!slot.component) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].component) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace wdx
