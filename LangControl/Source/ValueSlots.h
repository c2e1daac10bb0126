// The stored value slots of one language-value entry: for each slot the bytes of one value in
// the variant buffer encoding (a 4-byte type code and the raw value), or no value. All slots
// live in one block of the object store: a header, the size of every slot's value, and the
// values one after the other, each taking its own size and no more. A slot that takes a value
// of another size moves the values after it within the block; the block grows only when the
// values together need more room than it has ever had, so that values changing places among
// the slots allocate nothing once the slots have held their largest set of values.
//
// The slots reach no further than the last slot that held a value (a short row is made whole
// at once), and start at slot 0 or 1: an entry whose slot 0 is a live property never stores
// that slot, and pays nothing for it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wdx {

class TValueSlots {
 public:
  TValueSlots() = default;
  TValueSlots(const TValueSlots&) = delete;
  TValueSlots& operator=(const TValueSlots&) = delete;
  ~TValueSlots() { Truncate(0); }

  // The value of slot `index`: its bytes and their number; nullptr when the slot holds none.
  // The bytes stay where they are until a slot takes another value.
  const uint8_t* Value(int32_t index, int32_t& size) const {
    const int32_t at = At(index);
    if (at < 0 || Sizes()[at] < 0) {
      size = 0;
      return nullptr;
    }
    size = Sizes()[at];
    return Data() + Offset(at);
  }
  bool Holds(int32_t index) const {
    const int32_t at = At(index);
    return at >= 0 && Sizes()[at] >= 0;
  }

  // Makes slot `index` hold `size` uninitialized bytes and returns them (`size` of 0 or more;
  // `reach` is how many slots the entry has, so that a short row is made whole at once). The
  // slot's old value is gone. When memory runs out, the allocator's error leaves every slot as
  // it was.
  uint8_t* Reserve(int32_t index, int32_t size, int32_t reach);
  // Reserve when slot `index` can take `size` bytes as it is; else nullptr, and nothing changes.
  uint8_t* Fitting(int32_t index, int32_t size);
  // Makes sure that slot `index` can take a value of `size` bytes without allocating, as long
  // as no other slot changes meanwhile; its value stays as it is.
  void Prepare(int32_t index, int32_t size, int32_t reach);
  // Slot `index` holds no value.
  void Clear(int32_t index);
  // Every slot from `first` on holds no value; with none before it, the block is freed.
  void Truncate(int32_t first);
  // The two slots change places; nothing is allocated when both are within the row.
  void Swap(int32_t index1, int32_t index2, int32_t reach);

 private:
  struct THeader {
    uint32_t firstAndCount;  // the count of slots shifted left by one, the first slot (0 or 1)
    uint32_t capacity;       // bytes for the values after the sizes
  };
  static_assert(sizeof(THeader) == 8);

  int32_t First() const { return static_cast<int32_t>(header_->firstAndCount & 1); }
  int32_t Count() const { return header_ ? static_cast<int32_t>(header_->firstAndCount >> 1) : 0; }
  int32_t* Sizes() const { return reinterpret_cast<int32_t*>(header_ + 1); }
  uint8_t* Data() const { return reinterpret_cast<uint8_t*>(Sizes() + Count()); }
  // The position of slot `index` among the sizes, or -1 outside them.
  int32_t At(int32_t index) const {
    if (!header_) return -1;
    const auto at = static_cast<uint32_t>(index - First());
    return at < static_cast<uint32_t>(Count()) ? static_cast<int32_t>(at) : -1;
  }
  // Where the value at position `at` starts among the values, and how many bytes they take.
  size_t Offset(int32_t at) const;
  size_t Used() const { return Offset(Count()); }
  static size_t BlockSize(int32_t count, size_t capacity) {
    return sizeof(THeader) + static_cast<size_t>(count) * sizeof(int32_t) + capacity;
  }
  void Free();

  // Makes a block for the slots `first` to `first + count - 1` with room for `capacity` bytes
  // of values (and whatever rounding the store adds), moving the values over.
  void Rebuild(int32_t first, int32_t count, size_t capacity);
  // The slots reach slot `index` (and `reach` when that is a short row), and have room for
  // their values with slot `index` taking `size` bytes in place of its own; may allocate.
  void Ensure(int32_t index, int32_t size, int32_t reach);
  // Slot at position `at` takes `size` bytes, moving the values after it; the room is there.
  uint8_t* Resize(int32_t at, int32_t size);

  THeader* header_ = nullptr;
};

}  // namespace wdx
