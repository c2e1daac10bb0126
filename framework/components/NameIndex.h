// The names of a component's owned components, for finding one by name in constant time.
// Names compare without regard to ASCII case. The table holds no copies of the names: each
// slot keeps 32 bits of the name's hash and the component's live-object handle (half the room
// of a pointer beside a full hash: a form of many components has a large index), and the
// component's own name is the key. So there is one block for the whole index instead of one per
// name, and removing a component touches one slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wdx {

class TComponent;

class TNameIndex {
 public:
  // The component named `name`; nullptr if none.
  TComponent* Find(std::string_view name) const;
  // Makes `name` lead to `component`, in place of any component of that name. `component`
  // may still carry another name: it is about to take this one.
  void Insert(std::string_view name, TComponent* component);
  // Removes the entry of `name` if it leads to `component`.
  void Erase(std::string_view name, const TComponent* component);
  void Clear();
  size_t Size() const { return size_; }

 private:
  struct Slot {
    uint32_t hash;
    uint32_t handle;  // the component's; 0: a free slot
  };

  static uint32_t Hash(std::string_view name);
  static TComponent* ComponentOf(const Slot& slot);
  // The slot holding `name`, else the free slot where it would go.
  size_t Locate(std::string_view name, uint32_t hash) const;
  void Grow();

  std::vector<Slot> slots_;  // a power of two in size, at most half full
  size_t size_ = 0;
};

}  // namespace wdx
