#include "LangControl/Source/ValueSlots.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/rtti/ObjectStore.h"

namespace wdx {

namespace {

// A row of up to this many slots is made whole at once; a longer one grows as its slots
// receive values, so that a large slot count read from a stream costs nothing by itself. It
// grows by half its slots and half its room at a time, so that filling it slot by slot copies
// it a logarithmic number of times rather than once a slot.
constexpr int32_t kWholeRow = 16;
// The store hands out blocks in multiples of this: the values may use the rest.
constexpr size_t kGrain = 8;

}  // namespace

const uint8_t* TValueSlots::ValueInAnyRow(int32_t index, int32_t& size) const {
  const int32_t at = At(index);
  if (at < 0 || Sizes()[at] < 0) {
    size = 0;
    return nullptr;
  }
  size = Sizes()[at];
  return Data() + Place(at);
}

uint8_t* TValueSlots::FittingInAnyRow(int32_t index, int32_t size) {
  const int32_t at = At(index);
  if (at < 0 || Used() - Bytes(Sizes()[at]) + Bytes(size) > header_->capacity) return nullptr;
  return Resize(at, size);
}

void TValueSlots::Free() {
  if (!header_) return;
  object_store::Free(header_, BlockSize(Count(), header_->capacity));
  header_ = nullptr;
}

void TValueSlots::Rebuild(int32_t first, int32_t count, size_t capacity) {
  if (count > INT32_MAX / 2 ||
      uint64_t{sizeof(THeader)} + uint64_t{4} * static_cast<uint64_t>(count) + capacity + kGrain >
          UINT32_MAX) {
    throw std::bad_alloc();
  }
  const size_t fixed = BlockSize(count, 0);
  const size_t block = (fixed + capacity + kGrain - 1) / kGrain * kGrain;
  auto* made = static_cast<THeader*>(object_store::Allocate(block));
  made->firstAndCount = (static_cast<uint32_t>(count) << 1) | static_cast<uint32_t>(first);
  made->capacity = static_cast<uint32_t>(block - fixed);
  auto* sizes = reinterpret_cast<int32_t*>(made + 1);
  std::fill(sizes, sizes + count, -1);
  if (header_) {
    // The new row holds the old one. Slots without a value take no bytes, so the bytes
    // before each value are the same in both: each value goes to its place in the new room.
    const int32_t shift = First() - first;
    std::memcpy(sizes + shift, Sizes(), static_cast<size_t>(Count()) * sizeof(int32_t));
    uint8_t* data = reinterpret_cast<uint8_t*>(sizes + count);
    const size_t used = Used();
    const int32_t split = count / 2;
    size_t before = 0;
    for (int32_t at = 0; at < Count(); ++at) {
      const size_t bytes = Bytes(Sizes()[at]);
      if (bytes == 0) continue;
      const size_t from = at < Split() ? before : header_->capacity - (used - before);
      const size_t to = at + shift < split ? before : made->capacity - (used - before);
      std::memcpy(data + to, Data() + from, bytes);
      before += bytes;
    }
    Free();
  }
  header_ = made;
}

void TValueSlots::Ensure(int32_t index, int32_t size, int32_t reach) {
  const int32_t at = At(index);
  const size_t used = header_ ? Used() : 0;
  const size_t needed = used - (at >= 0 ? Bytes(Sizes()[at]) : 0) + Bytes(size);
  if (at >= 0 && needed <= header_->capacity) return;
  int32_t first = header_ ? First() : 1;
  int32_t end = header_ ? First() + Count() : 0;
  size_t capacity = std::max(needed, used);
  if (at < 0) {
    // Slot 0 gets a place only when it is stored itself.
    if (index == 0) first = 0;
    const int32_t count = end - first;
    end = std::max(end, index + 1);
    if (reach <= kWholeRow)
      end = std::max(end, reach);
    else
      end = std::max(end, std::min(reach, first + count + count / 2));
  }
  if (end - first > kWholeRow) capacity = std::max(capacity, used + used / 2);
  Rebuild(first, end - first, capacity);
}

TValueSlots::TLayout TValueSlots::Lay(int32_t first, int32_t last, int32_t reach, size_t total) {
  Free();
  const int32_t end = reach <= kWholeRow ? std::max(last + 1, reach) : last + 1;
  Rebuild(first, end - first, total);
  return TLayout(*this, total);
}

uint8_t* TValueSlots::TLayout::Place(int32_t index, int32_t size) {
  // As Rebuild places the values: those of the first half from the start of the room, those of
  // the second half up to its end.
  const int32_t at = index - slots_.First();
  slots_.Sizes()[at] = size;
  uint8_t* data = slots_.Data();
  const size_t start =
      at < slots_.Split() ? before_ : slots_.header_->capacity - (total_ - before_);
  before_ += static_cast<size_t>(size);
  return data + start;
}

void TValueSlots::Clear(int32_t index) {
  const int32_t at = At(index);
  if (at < 0) return;
  Resize(at, 0);
  Sizes()[at] = -1;
}

void TValueSlots::Truncate(int32_t first) {
  if (!header_) return;
  // The slots before `first` stay where they are (dropping the others would need a new
  // block); with none before it, the block goes.
  if (first <= First()) {
    Free();
    return;
  }
  const int32_t cut = first - First();
  if (cut >= Count()) return;
  // The values of the second half before the cut move up to the end of the room, in one go.
  if (cut > Split()) {
    const size_t dropped = Sum(cut, Count());
    const size_t kept = Sum(Split(), cut);
    uint8_t* end = Data() + header_->capacity;
    if (dropped > 0 && kept > 0) std::memmove(end - kept, end - kept - dropped, kept);
  }
  std::fill(Sizes() + cut, Sizes() + Count(), -1);
}

void TValueSlots::Swap(int32_t index1, int32_t index2, int32_t reach) {
  if (index1 == index2 || (!Holds(index1) && !Holds(index2))) return;
  for (int32_t index : {index1, index2}) {
    int32_t size = 0;
    Value(index, size);
    Ensure(index, size, reach);
  }
  const int32_t a = std::min(At(index1), At(index2));
  const int32_t b = std::max(At(index1), At(index2));
  int32_t* sizes = Sizes();
  const size_t sizeA = Bytes(sizes[a]);
  const size_t sizeB = Bytes(sizes[b]);
  // From the start of the one value to the end of the other lie the values between them and
  // perhaps the free room: [A, between, B] becomes [B, A, between], then [B, between, A],
  // which keeps the values of the first half at the start of the room and those of the
  // second half at its end.
  uint8_t* start = Data() + Place(a);
  uint8_t* end = Data() + Place(b) + sizeB;
  std::rotate(start, Data() + Place(b), end);
  std::rotate(start + sizeB, start + sizeB + sizeA, end);
  std::swap(sizes[a], sizes[b]);
}

}  // namespace wdx
