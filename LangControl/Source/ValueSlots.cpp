#include "LangControl/Source/ValueSlots.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/rtti/ObjectStore.h"

namespace wdx {

namespace {

// A row of up to this many slots is made whole at once; a longer one grows as its slots
// receive values, so that a large slot count read from a stream costs nothing by itself.
constexpr int32_t kWholeRow = 16;
// The store hands out blocks in multiples of this: the values may use the rest.
constexpr size_t kGrain = 8;

size_t Bytes(int32_t size) {
  return size > 0 ? static_cast<size_t>(size) : 0;
}

}  // namespace

size_t TValueSlots::Offset(int32_t at) const {
  size_t offset = 0;
  const int32_t* sizes = Sizes();
  for (int32_t i = 0; i < at; ++i) offset += Bytes(sizes[i]);
  return offset;
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
    // The new row holds the old one; slots without a value take no bytes, so the values
    // keep their order.
    std::memcpy(sizes + (First() - first), Sizes(), static_cast<size_t>(Count()) * sizeof(int32_t));
    std::memcpy(reinterpret_cast<uint8_t*>(sizes + count), Data(), Used());
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
  if (at < 0) {
    // Slot 0 gets a place only when it is stored itself.
    if (index == 0) first = 0;
    end = std::max(end, index + 1);
    if (reach <= kWholeRow) end = std::max(end, reach);
  }
  Rebuild(first, end - first, std::max(needed, used));
}

uint8_t* TValueSlots::Resize(int32_t at, int32_t size) {
  int32_t* sizes = Sizes();
  uint8_t* data = Data();
  const size_t offset = Offset(at);
  const size_t old = Bytes(sizes[at]);
  const size_t used = Used();
  if (Bytes(size) != old) {
    std::memmove(data + offset + Bytes(size), data + offset + old, used - offset - old);
  }
  sizes[at] = size;
  return data + offset;
}

uint8_t* TValueSlots::Reserve(int32_t index, int32_t size, int32_t reach) {
  Ensure(index, size, reach);
  return Resize(At(index), size);
}

uint8_t* TValueSlots::Fitting(int32_t index, int32_t size) {
  const int32_t at = At(index);
  if (at < 0 || Used() - Bytes(Sizes()[at]) + Bytes(size) > header_->capacity) return nullptr;
  return Resize(at, size);
}

void TValueSlots::Prepare(int32_t index, int32_t size, int32_t reach) {
  Ensure(index, size, reach);
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
  for (int32_t at = first - First(); at < Count(); ++at) Clear(First() + at);
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
  const size_t from = Offset(a);
  const size_t later = Offset(b);
  const size_t sizeA = Bytes(sizes[a]);
  const size_t sizeB = Bytes(sizes[b]);
  // [A, between, B] becomes [B, A, between], then [B, between, A].
  uint8_t* start = Data() + from;
  uint8_t* end = Data() + later + sizeB;
  std::rotate(start, Data() + later, end);
  std::rotate(start + sizeB, start + sizeB + sizeA, end);
  std::swap(sizes[a], sizes[b]);
}

}  // namespace wdx
