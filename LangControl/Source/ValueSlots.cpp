#include "LangControl/Source/ValueSlots.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/rtti/ObjectStore.h"

namespace wdx {

namespace {

// A row of up to this many slots is made whole at once; a longer one grows as its slots
// receive values, so that a large slot count read from a stream costs nothing by itself.
constexpr int32_t kWholeRow = 16;

}  // namespace

TValueSlots::TRecord& TValueSlots::Make(int32_t index, int32_t reach) {
  if (TRecord* record = Record(index)) return *record;
  // Slot 0 gets a record only when it is stored itself.
  const int32_t lowest = index > 0 ? 1 : 0;
  const int32_t first = header_ ? std::min(header_->first, lowest) : lowest;
  int32_t end = header_ ? std::max(header_->first + header_->count, index + 1) : index + 1;
  if (reach <= kWholeRow) end = std::max(end, reach);
  const int32_t count = end - first;
  auto* made = static_cast<THeader*>(
      object_store::Allocate(sizeof(THeader) + static_cast<size_t>(count) * sizeof(TRecord)));
  made->first = first;
  made->count = count;
  auto* records = reinterpret_cast<TRecord*>(made + 1);
  for (int32_t i = 0; i < count; ++i) {
    records[i].size = -1;
    records[i].capacity = 0;
  }
  if (header_) {
    std::memcpy(&records[header_->first - first], Records(),
                static_cast<size_t>(header_->count) * sizeof(TRecord));
    object_store::Free(header_,
                       sizeof(THeader) + static_cast<size_t>(header_->count) * sizeof(TRecord));
  }
  header_ = made;
  return records[index - first];
}

uint8_t* TValueSlots::ReserveAnew(int32_t index, int32_t size, int32_t reach) {
  TRecord& record = Make(index, reach);
  if (record.Fits(size)) {
    record.size = size;
    return record.Data();
  }
  auto* block = static_cast<uint8_t*>(object_store::Allocate(static_cast<size_t>(size)));
  if (record.capacity > 0) object_store::Free(record.block, record.capacity);
  record.block = block;
  record.capacity = static_cast<uint32_t>(size);
  record.size = size;
  return block;
}

void TValueSlots::PrepareAnew(int32_t index, int32_t size, int32_t reach) {
  TRecord& record = Make(index, reach);
  if (record.Fits(size)) return;
  auto* block = static_cast<uint8_t*>(object_store::Allocate(static_cast<size_t>(size)));
  if (record.size > 0) std::memcpy(block, record.Data(), static_cast<size_t>(record.size));
  if (record.capacity > 0) object_store::Free(record.block, record.capacity);
  record.block = block;
  record.capacity = static_cast<uint32_t>(size);
}

void TValueSlots::Clear(int32_t index) {
  TRecord* record = Record(index);
  if (!record) return;
  if (record->capacity > 0) object_store::Free(record->block, record->capacity);
  record->capacity = 0;
  record->size = -1;
}

void TValueSlots::Truncate(int32_t first) {
  if (!header_) return;
  const int32_t end = header_->first + header_->count;
  for (int32_t index = std::max(first, header_->first); index < end; ++index) Clear(index);
  // The records before `first` stay where they are (dropping the others would need a new
  // block); with none before it, the block goes.
  if (first > header_->first) return;
  object_store::Free(header_,
                     sizeof(THeader) + static_cast<size_t>(header_->count) * sizeof(TRecord));
  header_ = nullptr;
}

void TValueSlots::Swap(int32_t index1, int32_t index2, int32_t reach) {
  if (index1 == index2 || (!Holds(index1) && !Holds(index2))) return;
  Make(index1, reach);
  Make(index2, reach);
  std::swap(*Record(index1), *Record(index2));
}

}  // namespace wdx
