// The stored value slots of one language-value entry: for each slot the bytes of one value in
// the variant buffer encoding (a 4-byte type code and the raw value), or no value. All slots
// live in one block of the object store: a header, the size of every slot's value, and the
// values, each taking its own size and no more. The first half of the slots lie one after the
// other from the start of the values' room, the second half one after the other up to its end,
// with the free room between them: a slot next to the free room takes a value of another size
// without moving any other, and so do both slots of a row of two (three languages, the live
// one not stored). The block grows only when the values together need more room than it has
// ever had, so that values changing places among the slots allocate nothing once the slots
// have held their largest set of values.
//
// The slots reach no further than the last slot that held a value (a short row is made whole
// at once), and start at slot 0 or 1: an entry whose slot 0 is a live property never stores
// that slot, and pays nothing for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

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
    if (IsUsualRow()) {
      // The one value starts the room, the other ends it.
      const auto at = static_cast<uint32_t>(index - 1);
      const int32_t* sizes = Sizes();
      if (at < 2 && sizes[at] >= 0) {
        size = sizes[at];
        const uint8_t* data = reinterpret_cast<const uint8_t*>(sizes + 2);
        return at == 0 ? data : data + header_->capacity - static_cast<size_t>(size);
      }
      size = 0;
      return nullptr;
    }
    return ValueInAnyRow(index, size);
  }
  // The slot after the last one the row reaches: no slot from here on holds a value (0 when
  // none does).
  int32_t End() const { return header_ ? First() + Count() : 0; }
  bool Holds(int32_t index) const {
    const int32_t at = At(index);
    return at >= 0 && Sizes()[at] >= 0;
  }

  // Makes slot `index` hold `size` uninitialized bytes and returns them (`size` of 0 or more;
  // `reach` is how many slots the entry has, so that a short row is made whole at once). The
  // slot's old value is gone. When memory runs out, the allocator's error leaves every slot as
  // it was.
  uint8_t* Reserve(int32_t index, int32_t size, int32_t reach) {
    Ensure(index, size, reach);
    return Resize(At(index), size);
  }
  // Reserve when slot `index` can take `size` bytes as it is; else nullptr, and nothing changes.
  uint8_t* Fitting(int32_t index, int32_t size) {
    if (IsUsualRow()) {
      // No value moves: the other one stays where it is.
      const auto at = static_cast<uint32_t>(index - 1);
      int32_t* sizes = Sizes();
      if (at >= 2 || Bytes(sizes[at ^ 1]) + Bytes(size) > header_->capacity) return nullptr;
      sizes[at] = size;
      uint8_t* data = reinterpret_cast<uint8_t*>(sizes + 2);
      return at == 0 ? data : data + header_->capacity - Bytes(size);
    }
    return FittingInAnyRow(index, size);
  }
  // Makes sure that slot `index` can take a value of `size` bytes without allocating, as long
  // as no other slot changes meanwhile; its value stays as it is.
  void Prepare(int32_t index, int32_t size, int32_t reach) { Ensure(index, size, reach); }
  // Slot `index` holds no value.
  void Clear(int32_t index);
  // Every slot from `first` on holds no value; with none before it, the block is freed.
  void Truncate(int32_t first);
  // The two slots change places; nothing is allocated when both are within the row.
  void Swap(int32_t index1, int32_t index2, int32_t reach);

  // Gives out the room of a row made by Lay to its values, in slot order.
  class TLayout {
   public:
    // Slot `index`, above every slot placed before it, takes `size` bytes (more than 0), which
    // the caller fills. The sizes placed add up to no more than the row was laid for.
    uint8_t* Place(int32_t index, int32_t size);

   private:
    friend class TValueSlots;
    TLayout(TValueSlots& slots, size_t total) : slots_(slots), total_(total) {}
    TValueSlots& slots_;
    size_t total_;
    size_t before_ = 0;  // the bytes placed so far
  };
  // Replaces every slot with a row holding no value yet, in one block with room for `total`
  // bytes of values: the slots `first` to `last` (and up to `reach` when that is a short row,
  // as Reserve would make it). For a reader that knows every value's size before it has the
  // bytes: placing the values then allocates nothing and moves nothing.
  TLayout Lay(int32_t first, int32_t last, int32_t reach, size_t total);

 private:
  struct THeader {
    uint32_t firstAndCount;  // the count of slots shifted left by one, the first slot (0 or 1)
    uint32_t capacity;       // bytes of room for the values after the sizes
  };
  static_assert(sizeof(THeader) == 8);

  // The row of a language-value entry in three languages: slots 1 and 2.
  static constexpr uint32_t kUsualRow = 2 << 1 | 1;
  bool IsUsualRow() const { return header_ && header_->firstAndCount == kUsualRow; }
  static size_t Bytes(int32_t size) { return size > 0 ? static_cast<size_t>(size) : 0; }
  int32_t First() const { return static_cast<int32_t>(header_->firstAndCount & 1); }
  // With a block (as everywhere below but in At).
  int32_t Count() const { return static_cast<int32_t>(header_->firstAndCount >> 1); }
  // The positions from here on lie at the end of the room.
  int32_t Split() const { return Count() / 2; }
  int32_t* Sizes() const { return reinterpret_cast<int32_t*>(header_ + 1); }
  uint8_t* Data() const { return reinterpret_cast<uint8_t*>(Sizes() + Count()); }
  // The position of slot `index` among the sizes, or -1 outside them.
  int32_t At(int32_t index) const {
    if (!header_) return -1;
    const auto at = static_cast<uint32_t>(index - First());
    return at < header_->firstAndCount >> 1 ? static_cast<int32_t>(at) : -1;
  }
  // The bytes of the values at positions `from` to `to` - 1.
  size_t Sum(int32_t from, int32_t to) const {
    size_t sum = 0;
    for (const int32_t* size = Sizes() + from; size != Sizes() + to; ++size) sum += Bytes(*size);
    return sum;
  }
  size_t Used() const {
    if (header_->firstAndCount >> 1 == 2) return Bytes(Sizes()[0]) + Bytes(Sizes()[1]);
    return Sum(0, Count());
  }
  // Where the value at position `at` starts in the room. A row of two (the usual one) needs
  // no sums: the one value starts the room, the other ends it.
  size_t Place(int32_t at) const {
    if (header_->firstAndCount >> 1 == 2) {
      return at == 0 ? 0 : header_->capacity - Bytes(Sizes()[1]);
    }
    if (at < Split()) return Sum(0, at);
    return header_->capacity - Sum(at, Count());
  }
  // The value at position `at` takes `size` bytes, moving the values between it and the free
  // room; the room is there.
  uint8_t* Resize(int32_t at, int32_t size) {
    int32_t* sizes = Sizes();
    uint8_t* data = Data();
    const size_t old = Bytes(sizes[at]);
    const size_t now = Bytes(size);
    sizes[at] = size;
    if (header_->firstAndCount >> 1 == 2) return data + (at == 0 ? 0 : header_->capacity - now);
    if (at < Split()) {
      const size_t start = Sum(0, at);
      const size_t after = Sum(at + 1, Split());
      if (after > 0 && now != old) std::memmove(data + start + now, data + start + old, after);
      return data + start;
    }
    const size_t end = header_->capacity - Sum(at + 1, Count());
    const size_t before = Sum(Split(), at);
    if (before > 0 && now != old) {
      std::memmove(data + end - now - before, data + end - old - before, before);
    }
    return data + end - now;
  }
  // Value and Fitting for any row, out of line.
  const uint8_t* ValueInAnyRow(int32_t index, int32_t& size) const;
  uint8_t* FittingInAnyRow(int32_t index, int32_t size);
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

  THeader* header_ = nullptr;
};

}  // namespace wdx
