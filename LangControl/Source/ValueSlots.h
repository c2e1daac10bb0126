// The stored value slots of one language-value entry: for each slot the bytes of one value in
// the variant buffer encoding (a 4-byte type code and the raw value), or no value. All slots
// live in one block of the object store, one record each, and a value of up to kInline bytes
// (a text of up to 28 characters) lives in its record itself; a longer one has a block of its
// own, which its slot keeps for later values that fit it, so that values changing places
// allocate nothing once each slot has held the longest of them.
//
// The records reach no further than the last slot that held a value (a short row is made whole
// at once), and start at slot 0 or 1: an entry whose slot 0 is a live property never stores
// that slot, and pays nothing for it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wdx {

class TValueSlots {
  struct TRecord;

 public:
  static constexpr int32_t kInline = 32;

  TValueSlots() = default;
  TValueSlots(const TValueSlots&) = delete;
  TValueSlots& operator=(const TValueSlots&) = delete;
  ~TValueSlots() { Truncate(0); }

  // The value of slot `index`: its bytes and their number; nullptr when the slot holds none.
  const uint8_t* Value(int32_t index, int32_t& size) const {
    const TRecord* record = Record(index);
    if (!record || record->size < 0) {
      size = 0;
      return nullptr;
    }
    size = record->size;
    return record->Data();
  }
  bool Holds(int32_t index) const {
    const TRecord* record = Record(index);
    return record && record->size >= 0;
  }

  // Makes slot `index` hold `size` uninitialized bytes and returns them (`size` of 0 or more;
  // `reach` is how many slots the entry has, so that a short row is made whole at once). The
  // slot's old value is gone. When memory runs out, the allocator's error leaves every slot as
  // it was.
  uint8_t* Reserve(int32_t index, int32_t size, int32_t reach) {
    TRecord* record = Record(index);
    if (!record || !record->Fits(size)) return ReserveAnew(index, size, reach);
    record->size = size;
    return record->Data();
  }
  // Reserve when slot `index` can take `size` bytes as it is; else nullptr, and nothing changes.
  uint8_t* Fitting(int32_t index, int32_t size) {
    TRecord* record = Record(index);
    if (!record || !record->Fits(size)) return nullptr;
    record->size = size;
    return record->Data();
  }
  // Makes sure that slot `index` can take a value of `size` bytes without allocating, as long
  // as no other slot changes meanwhile; its value stays as it is.
  void Prepare(int32_t index, int32_t size, int32_t reach) {
    const TRecord* record = Record(index);
    if (!record || !record->Fits(size)) PrepareAnew(index, size, reach);
  }
  // Slot `index` holds no value.
  void Clear(int32_t index);
  // Every slot from `first` on holds no value, and its block is freed.
  void Truncate(int32_t first);
  // The two slots change places; no value is copied.
  void Swap(int32_t index1, int32_t index2, int32_t reach);

 private:
  struct TRecord {
    int32_t size;       // bytes of the value; -1: no value
    uint32_t capacity;  // bytes of the value's own block; 0: the value is in `bytes`
    union {
      uint8_t bytes[kInline];
      uint8_t* block;
    };
    uint8_t* Data() { return capacity > 0 ? block : bytes; }
    const uint8_t* Data() const { return capacity > 0 ? block : bytes; }
    bool Fits(int32_t value) const {
      return capacity > 0 ? value <= static_cast<int32_t>(capacity) : value <= kInline;
    }
  };
  struct THeader {
    int32_t first;  // the slot of the first record
    int32_t count;  // records
  };

  TRecord* Records() const { return reinterpret_cast<TRecord*>(header_ + 1); }
  TRecord* Record(int32_t index) const {
    if (!header_) return nullptr;
    const auto at = static_cast<uint32_t>(index - header_->first);
    return at < static_cast<uint32_t>(header_->count) ? &Records()[at] : nullptr;
  }
  // The record of slot `index`, made (empty) when the records do not reach it yet.
  TRecord& Make(int32_t index, int32_t reach);
  uint8_t* ReserveAnew(int32_t index, int32_t size, int32_t reach);
  void PrepareAnew(int32_t index, int32_t size, int32_t reach);

  THeader* header_ = nullptr;
};

}  // namespace wdx
