#include "LangControl/Source/LanguageValues.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "LangControl/Source/ConvertTools.h"
#include "LangControl/Source/SlotTexts.h"
#include "framework/components/Filer.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "framework/rtti/Published.h"

namespace wdx {

namespace {

[[noreturn]] void StreamReadError() {
  throw EReadError(msg::kStreamReadError);
}

// Slot arrays of up to this many slots are made at their full Count at once; longer ones grow
// as slots receive values.
constexpr size_t kWholeSlotArray = 16;

// The two texts of an exchange of texts: the incoming one on its way to the property setter and
// a copy of the live one on its way into the slot. They are kept between exchanges so that
// their buffers are reused; an exchange started by a setter while another one runs gets texts
// of its own. All on the user-interface thread.
class ExchangedTexts {
 public:
  ExchangedTexts() : shared_(!sharedBusy) {
    if (shared_) sharedBusy = true;
  }
  ~ExchangedTexts() {
    if (shared_) sharedBusy = false;
  }
  ExchangedTexts(const ExchangedTexts&) = delete;
  ExchangedTexts& operator=(const ExchangedTexts&) = delete;

  std::string& Incoming() { return shared_ ? sharedIncoming : incoming_; }
  std::string& Live() { return shared_ ? sharedLive : live_; }

 private:
  static inline std::string sharedIncoming;
  static inline std::string sharedLive;
  static inline bool sharedBusy = false;
  bool shared_;
  std::string incoming_;
  std::string live_;
};

// Writes the encoding of a text (type code 256, then the characters) into `block`.
void EncodeText(uint8_t* block, std::string_view text) {
  static constexpr uint8_t kStringCode[4] = {varString & 0xFF, varString >> 8, 0, 0};
  std::memcpy(block, kStringCode, 4);
  if (!text.empty()) std::memcpy(block + 4, text.data(), text.size());
}

}  // namespace

const TMetaClass& TConsistentLangPropertyEntry::StaticClass() {
  static const TMetaClass meta(
      "TConsistentLangPropertyEntry", &TPropertyEntry::StaticClass(),
      FactoryOf<TConsistentLangPropertyEntry>(),
      {
          Published<TConsistentLangPropertyEntry>("Count", &TConsistentLangPropertyEntry::Count,
                                                  &TConsistentLangPropertyEntry::SetCount),
      });
  return meta;
}

const TMetaClass& TInconsistentLangPropertyEntry::StaticClass() {
  static const TMetaClass meta("TInconsistentLangPropertyEntry",
                               &TConsistentLangPropertyEntry::StaticClass(),
                               FactoryOf<TInconsistentLangPropertyEntry>(), {});
  return meta;
}

const TMetaClass& TLanguageEntry::StaticClass() {
  static const TMetaClass meta(
      "TLanguageEntry", &TCollectionItem::StaticClass(), FactoryOf<TLanguageEntry>(),
      {
          Published<TLanguageEntry>("Name", &TLanguageEntry::Name, &TLanguageEntry::SetName),
          Published<TLanguageEntry>("Hint", &TLanguageEntry::Hint, &TLanguageEntry::SetHint),
          Published<TLanguageEntry>("SubIndex", &TLanguageEntry::SubIndex,
                                    &TLanguageEntry::SetSubIndex),
      });
  return meta;
}

const TMetaClass& TLanguageEntries::StaticClass() {
  static const TMetaClass meta("TLanguageEntries", &TCollection::StaticClass(), nullptr, {});
  return meta;
}

// ---------------------------------------------------------------------------------------------
// TConsistentLangPropertyEntry

TConsistentLangPropertyEntry::TSlot::TSlot(TSlot&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

TConsistentLangPropertyEntry::TSlot& TConsistentLangPropertyEntry::TSlot::operator=(
    TSlot&& other) noexcept {
  if (this != &other) {
    Reset(nullptr, 0);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

TConsistentLangPropertyEntry::TSlot::~TSlot() {
  Reset(nullptr, 0);
}

void TConsistentLangPropertyEntry::TSlot::Reset(StoreBlock block, int32_t size) {
  object_store::Free(data_, capacity_);
  capacity_ = block ? static_cast<uint32_t>(block.get_deleter().size) : 0;
  data_ = block.release();
  size_ = data_ ? size : 0;
}

TConsistentLangPropertyEntry::TConsistentLangPropertyEntry(TCollection* collection)
    : TPropertyEntry(collection) {}

TConsistentLangPropertyEntry::~TConsistentLangPropertyEntry() = default;

void TConsistentLangPropertyEntry::SetCount(int32_t count) {
  if (count == count_) return;
  if (count < 1) count = 1;
  ReleaseSlotsFrom(count);
  count_ = count;
}

bool TConsistentLangPropertyEntry::HasLangValue(int32_t index) const {
  return HeldSlot(index) != nullptr;
}

void TConsistentLangPropertyEntry::CheckIndex(int32_t index, const char* operation) const {
  if (index < 0 || index >= count_) {
    throw Exception(ClassName() + "." + operation + ": Invalid index");
  }
}

TConsistentLangPropertyEntry::TSlot& TConsistentLangPropertyEntry::GrowTo(size_t index) {
  // A short row is made whole at once rather than grown step by step with spare room.
  const auto whole = static_cast<size_t>(std::max(count_, 0));
  if (index >= slots_.capacity() && index < whole && whole <= kWholeSlotArray) {
    slots_.reserve(whole);
  }
  slots_.resize(index + 1);
  return slots_[index];
}

void TConsistentLangPropertyEntry::ReleaseSlotsFrom(int32_t first) {
  const auto from = static_cast<size_t>(std::max(first, 0));
  if (from < slots_.size()) slots_.resize(from);
}

const TConsistentLangPropertyEntry::TSlot* TConsistentLangPropertyEntry::HeldSlot(
    int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= slots_.size()) return nullptr;
  const TSlot& slot = slots_[static_cast<size_t>(index)];
  return slot.Data() ? &slot : nullptr;
}

TConsistentLangPropertyEntry::TSlot* TConsistentLangPropertyEntry::HeldSlot(int32_t index) {
  return const_cast<TSlot*>(std::as_const(*this).HeldSlot(index));
}

void TConsistentLangPropertyEntry::StoreSlot(int32_t index, StoreBlock buffer, int32_t size) {
  if (!buffer && static_cast<size_t>(index) >= slots_.size()) return;
  SlotAt(index).Reset(std::move(buffer), size);
}

void TConsistentLangPropertyEntry::SwapSlots(int32_t index1, int32_t index2) {
  if (!HeldSlot(index1) && !HeldSlot(index2)) return;
  SlotAt(std::max(index1, index2));
  std::swap(slots_[static_cast<size_t>(index1)], slots_[static_cast<size_t>(index2)]);
}

void TConsistentLangPropertyEntry::AssignLangValues(const TConsistentLangPropertyEntry* source) {
  if (!source) return;
  SetCount(source->Count());
  for (int32_t i = 0; i < source->Count(); ++i) SetLangValue(i, source->GetLangValue(i));
}

Variant TConsistentLangPropertyEntry::GetLangValue(int32_t index) const {
  CheckIndex(index, "GetLangValue");
  const TSlot* slot = HeldSlot(index);
  if (!slot) return Variant::Null();
  Variant value;
  BufferToVariant(slot->Data(), slot->Size(), value);
  return value;
}

void TConsistentLangPropertyEntry::SetLangValue(int32_t index, const Variant& value) {
  CheckIndex(index, "SetLangValue");
  StoreSlot(index, nullptr, 0);
  StoreBlock buffer;
  int32_t size = 0;
  VariantToBuffer(value, buffer, size);
  StoreSlot(index, std::move(buffer), size);
}

void TConsistentLangPropertyEntry::ExchangeLangValues(int32_t index1, int32_t index2) {
  CheckIndex(index1, "ExchangeLangValues");
  CheckIndex(index2, "ExchangeLangValues");
  if (index1 != index2) SwapSlots(index1, index2);
}

void TConsistentLangPropertyEntry::Assign(const TPersistent* source) {
  TPropertyEntry::Assign(source);
  if (const auto* other = dynamic_cast<const TConsistentLangPropertyEntry*>(source)) {
    AssignLangValues(other);
  }
}

std::string TConsistentLangPropertyEntry::GetDescription(const std::string& prefix) const {
  return prefix + Name() + ": " + TypeName();
}

// ---------------------------------------------------------------------------------------------
// TInconsistentLangPropertyEntry

TInconsistentLangPropertyEntry::TInconsistentLangPropertyEntry(TCollection* collection)
    : TConsistentLangPropertyEntry(collection) {}

void TInconsistentLangPropertyEntry::AssignLangValues(const TConsistentLangPropertyEntry* source) {
  if (!source) return;
  SetCount(source->Count());
  // A source of this class has its slot 0 in a live property of its own, not in the entry.
  const int32_t first = dynamic_cast<const TInconsistentLangPropertyEntry*>(source) ? 1 : 0;
  for (int32_t i = first; i < source->Count(); ++i) SetLangValue(i, source->GetLangValue(i));
}

Variant TInconsistentLangPropertyEntry::GetLangValue(int32_t index) const {
  if (index == 0) return GetLiveValue();
  return TConsistentLangPropertyEntry::GetLangValue(index);
}

void TInconsistentLangPropertyEntry::SetLangValue(int32_t index, const Variant& value) {
  if (index == 0) {
    SetLiveValue(value);
    return;
  }
  TConsistentLangPropertyEntry::SetLangValue(index, value);
}

void TInconsistentLangPropertyEntry::ExchangeLangValues(int32_t index1, int32_t index2) {
  CheckIndex(index1, "ExchangeLangValues");
  CheckIndex(index2, "ExchangeLangValues");
  if (index1 == index2) return;
  if (index1 != 0 && index2 != 0) {
    SwapSlots(index1, index2);
    return;
  }
  const int32_t stored = index1 == 0 ? index2 : index1;
  if (TObject* target = TextTarget(OwnerEntry());
      target && ExchangeStoredText(target, *PropInfo(), stored)) {
    return;
  }
  // Without a live property there is nothing to exchange with; emptying the stored slot
  // instead would lose its text.
  if (!LiveValueReachable()) return;
  // The live value is encoded before anything changes, so that a value the encoding refuses
  // leaves both sides as they were.
  StoreBlock live;
  int32_t liveSize = 0;
  VariantToBuffer(GetLiveValue(), live, liveSize);
  SetLiveValue(TConsistentLangPropertyEntry::GetLangValue(stored));
  StoreSlot(stored, std::move(live), liveSize);
}

TObject* TInconsistentLangPropertyEntry::TextTarget(const TMainEntry* owner) const {
  const TPropInfo* prop = PropInfo();
  if (!prop || !prop->Readable || !prop->Writable) return nullptr;
  const TTypeInfo* type = prop->PropType();
  if (!type || (type->Kind != tkString && type->Kind != tkLString && type->Kind != tkWString)) {
    return nullptr;
  }
  if (!owner || !owner->SubType().Contains(stPubPropObject)) return nullptr;
  return owner->Target();
}

bool TInconsistentLangPropertyEntry::ExchangeStoredText(TObject* target, const TPropInfo& prop,
                                                        int32_t stored) {
  if (stored <= 0 || stored >= Count()) return false;
  // Only a slot holding text: anything else converts through a variant on its way in.
  TSlot* slot = HeldSlot(stored);
  if (!slot || slot->Size() < kTextHeaderSize) return false;
  if (!HoldsText(slot->Data())) return false;

  // The live text where the object keeps it; a copy only when its getter makes one.
  std::string made;
  const std::string* live = GetStrPropRef(target, prop);
  if (!live) {
    made = GetStrProp(target, prop);
    live = &made;
  }
  if (live->size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - kTextHeaderSize)) {
    return false;  // the general path reports it
  }
  const auto liveSize = static_cast<int32_t>(kTextHeaderSize + live->size());
  ExchangedTexts texts;
  std::string& incoming = texts.Incoming();
  incoming.clear();
  incoming.append(reinterpret_cast<const char*>(slot->Data()) + kTextHeaderSize,
                  static_cast<size_t>(slot->Size() - kTextHeaderSize));
  // The live text is kept before the setter changes it: encoded into a new block made now when
  // the slot's block is too small for it (so that nothing has changed should that fail), else
  // copied, to go into the slot's block once the setter has taken the incoming text.
  StoreBlock grown;
  std::string& kept = texts.Live();
  if (static_cast<size_t>(liveSize) > slot->Capacity()) {
    grown = MakeStoreBlock(static_cast<size_t>(liveSize));
    EncodeText(grown.get(), *live);
  } else {
    kept.assign(*live);
  }
  SetStrProp(target, prop, incoming);
  // Looked up again: a setter may have changed the slots of this very entry.
  TSlot& after = SlotAt(stored);
  if (!grown && static_cast<size_t>(liveSize) > after.Capacity()) {
    grown = MakeStoreBlock(static_cast<size_t>(liveSize));
    EncodeText(grown.get(), kept);
  }
  if (grown) {
    after.Reset(std::move(grown), liveSize);
  } else {
    EncodeText(after.Data(), kept);
    after.Resize(liveSize);
  }
  return true;
}

void TInconsistentLangPropertyEntry::DefineProperties(TFiler* filer) {
  TConsistentLangPropertyEntry::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Values", [this](TStream& stream) { ReadValues(stream); },
      [this](TStream& stream) { WriteValues(stream); }, true);
}

void TInconsistentLangPropertyEntry::ReadValues(TStream& stream) {
  ReleaseSlotsFrom(1);
  for (int32_t k = 1; k < Count(); ++k) {
    uint8_t header[4];
    if (stream.Remaining() < 4) StreamReadError();
    stream.ReadBuffer(header, 4);
    const auto size = static_cast<int32_t>(static_cast<uint32_t>(GetLittleEndian(header, 4)));
    // The size is checked against what is left before anything is allocated.
    if (size < 0 || size > stream.Remaining()) StreamReadError();
    if (size == 0) continue;
    StoreBlock buffer = MakeStoreBlock(static_cast<size_t>(size));
    stream.ReadBuffer(buffer.get(), size);
    int32_t held = size;
    buffer = SlotBlockFromStream(std::move(buffer), held, k);
    StoreSlot(k, std::move(buffer), held);
  }
}

void TInconsistentLangPropertyEntry::WriteValues(TStream& stream) const {
  for (int32_t k = 1; k < Count(); ++k) {
    const TSlot* slot = HeldSlot(k);
    std::optional<std::string> stored;
    if (slot) stored = SlotBlockToStream(slot->Data(), slot->Size(), k, Where());
    const uint8_t* data = slot ? slot->Data() : nullptr;
    int32_t size = slot ? slot->Size() : 0;
    if (stored) {
      if (stored->size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw EWriteError(msg::kStreamWriteError);
      }
      data = reinterpret_cast<const uint8_t*>(stored->data());
      size = static_cast<int32_t>(stored->size());
    }
    uint8_t header[4];
    PutLittleEndian(header, static_cast<uint32_t>(size), 4);
    stream.WriteBuffer(header, 4);
    if (data) stream.WriteBuffer(data, size);
  }
}

std::string TInconsistentLangPropertyEntry::Where() const {
  const TMainEntry* owner = OwnerEntry();
  const auto* component = owner ? dynamic_cast<const TComponent*>(owner->Target()) : nullptr;
  return component ? component->Name() + "." + Name() : Name();
}

// ---------------------------------------------------------------------------------------------
// Languages

TLanguageEntry::TLanguageEntry(TCollection* collection) : TCollectionItem(collection) {}

void TLanguageEntry::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TLanguageEntry*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  name_ = other->name_;
  hint_ = other->hint_;
  subIndex_ = other->subIndex_;
}

TLanguageEntries::TLanguageEntries(TPersistent* owner)
    : TCollection(TLanguageEntry::StaticClass()) {
  SetOwner(owner);
}

TLanguageEntry* TLanguageEntries::Items(int index) const {
  return static_cast<TLanguageEntry*>(TCollection::Items(index));
}

TLanguageEntry* TLanguageEntries::Add() {
  TCollectionItem* item = TCollection::Add();
  auto* entry = dynamic_cast<TLanguageEntry*>(item);
  if (!entry) {
    delete item;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return entry;
}

}  // namespace wdx
