#include "LangControl/Source/LanguageValues.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "LangControl/Source/ConvertTools.h"
#include "LangControl/Source/SlotTexts.h"
#include "LangControl/Source/ValueRecords.h"
#include "framework/components/Filer.h"
#include "framework/rtl/ByteCursor.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"
#include "framework/rtl/Streams.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropAccess.h"
#include "framework/rtti/Published.h"

namespace wdx {

namespace {

// The two texts of an exchange of texts: the incoming one on its way to the property setter and
// a copy of the live one on its way into the slot. They are kept between exchanges so that
// their buffers are reused; an exchange started by a setter while another one runs gets texts
// of its own. All on the user-interface thread.
class ExchangedTexts {
 public:
  ExchangedTexts() {
    if (sharedBusy) {
      own_ = std::make_unique<Texts>();
    } else {
      sharedBusy = true;
    }
  }
  ~ExchangedTexts() {
    if (!own_) sharedBusy = false;
  }
  ExchangedTexts(const ExchangedTexts&) = delete;
  ExchangedTexts& operator=(const ExchangedTexts&) = delete;

  std::string& Incoming() { return own_ ? own_->incoming : shared.incoming; }
  std::string& Live() { return own_ ? own_->live : shared.live; }

 private:
  struct Texts {
    std::string incoming;
    std::string live;
  };
  static inline Texts shared;
  static inline bool sharedBusy = false;
  std::unique_ptr<Texts> own_;
};

// Watches an entry while a property setter that its exchange called runs: the setter may
// destroy the entry's component, and with it the entry. Watches nest, since a setter may start
// another exchange; the innermost is first. All on the user-interface thread.
class SetterWatch {
 public:
  explicit SetterWatch(const TConsistentLangPropertyEntry* entry)
      : entry_(entry), outer_(innermost) {
    innermost = this;
  }
  ~SetterWatch() { innermost = outer_; }
  SetterWatch(const SetterWatch&) = delete;
  SetterWatch& operator=(const SetterWatch&) = delete;

  // Whether slot `slot` of the entry is still there for the live value the setter replaced: a
  // setter that destroyed the component took the entry with it, and one that lowered the slot
  // count took the slot; either way that value has nowhere to go.
  bool SlotSurvived(int32_t slot) const { return !gone_ && slot < entry_->Count(); }
  // Called by every entry as it is destroyed.
  static void Destroyed(const TConsistentLangPropertyEntry* entry) {
    for (SetterWatch* watch = innermost; watch; watch = watch->outer_) {
      if (watch->entry_ == entry) watch->gone_ = true;
    }
  }

 private:
  static inline SetterWatch* innermost = nullptr;
  const TConsistentLangPropertyEntry* entry_;
  SetterWatch* outer_;
  bool gone_ = false;
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

TConsistentLangPropertyEntry::TConsistentLangPropertyEntry(TCollection* collection)
    : TPropertyEntry(collection) {}

TConsistentLangPropertyEntry::~TConsistentLangPropertyEntry() {
  SetterWatch::Destroyed(this);
}

void TConsistentLangPropertyEntry::SetCount(int32_t count) {
  if (count == count_) return;
  if (count < 1) count = 1;
  slots_.Truncate(count);
  count_ = count;
}

bool TConsistentLangPropertyEntry::HasLangValue(int32_t index) const {
  return slots_.Holds(index);
}

void TConsistentLangPropertyEntry::CheckIndex(int32_t index, const char* operation) const {
  if (index < 0 || index >= count_) {
    throw Exception(ClassName() + "." + operation + ": Invalid index");
  }
}

void TConsistentLangPropertyEntry::AssignLangValues(const TConsistentLangPropertyEntry* source) {
  if (!source || source == this) return;
  SetCount(source->Count());
  // The source's slot 0 may be its live property.
  if (source->Count() > 0) SetLangValue(0, source->GetLangValue(0));
  CopyStoredSlots(*source);
}

void TConsistentLangPropertyEntry::CopyStoredSlots(const TConsistentLangPropertyEntry& source) {
  SetCount(source.Count());
  SetCoding(source.Coding());
  slots_.Truncate(1);
  const int32_t end = std::min(source.slots_.End(), count_);
  for (int32_t k = 1; k < end; ++k) {
    int32_t size = 0;
    if (const uint8_t* value = source.SlotValue(k, size)) StoreValue(k, value, size);
  }
}

Variant TConsistentLangPropertyEntry::GetLangValue(int32_t index) const {
  CheckIndex(index, "GetLangValue");
  int32_t size = 0;
  const uint8_t* buffer = SlotValue(index, size);
  if (!buffer) return Variant::Null();
  Variant value;
  BufferToVariant(buffer, size, value);
  return value;
}

void TConsistentLangPropertyEntry::SetLangValue(int32_t index, const Variant& value) {
  CheckIndex(index, "SetLangValue");
  ClearSlot(index);
  StoreBlock buffer;
  int32_t size = 0;
  VariantToBuffer(value, buffer, size);
  StoreValue(index, buffer.get(), size);
}

void TConsistentLangPropertyEntry::StoreValue(int32_t index, const uint8_t* buffer, int32_t size) {
  uint8_t* at = ReserveSlot(index, size);
  if (size > 0) std::memcpy(at, buffer, static_cast<size_t>(size));
}

void TConsistentLangPropertyEntry::ExchangeLangValues(int32_t index1, int32_t index2) {
  CheckIndex(index1, "ExchangeLangValues");
  CheckIndex(index2, "ExchangeLangValues");
  if (index1 != index2) SwapSlots(index1, index2);
}

void TConsistentLangPropertyEntry::Assign(const TPersistent* source) {
  TPropertyEntry::Assign(source);
  if (const auto* other = ObjectCast<TConsistentLangPropertyEntry>(source)) {
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
  if (!source || source == this) return;
  SetCount(source->Count());
  // A source of this class has its slot 0 in a live property of its own, not in the entry.
  if (source->Count() > 0 && !ObjectCast<TInconsistentLangPropertyEntry>(source)) {
    SetLangValue(0, source->GetLangValue(0));
  }
  CopyStoredSlots(*source);
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
  // The slot makes room first: once the setter has run, the live value has to go in.
  PrepareSlot(stored, liveSize);
  const SetterWatch watch(this);
  SetLiveValue(TConsistentLangPropertyEntry::GetLangValue(stored));
  if (!watch.SlotSurvived(stored)) return;
  StoreValue(stored, live.get(), liveSize);
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

void TInconsistentLangPropertyEntry::StoreLiveText(TObject* target, const TPropInfo& prop,
                                                   int32_t slot, const std::string& live) {
  const auto size = static_cast<int32_t>(kTextHeaderSize + live.size());
  uint8_t* at = FittingSlot(slot, size);
  if (!at) at = ReserveOrGiveBack(target, prop, slot, live);
  EncodeText(at, live);
}

bool TInconsistentLangPropertyEntry::ExchangeStoredText(TObject* target, const TPropInfo& prop,
                                                        int32_t stored) {
  if (stored <= 0 || stored >= Count()) return false;
  // Only a slot holding text: anything else converts through a variant on its way in.
  int32_t size = 0;
  const uint8_t* value = SlotValue(stored, size);
  if (!value || size < kTextHeaderSize || !HoldsText(value)) return false;
  const std::string_view text(reinterpret_cast<const char*>(value) + kTextHeaderSize,
                              static_cast<size_t>(size - kTextHeaderSize));
  if (!prop.ExchangeStr) return ExchangeThroughSetter(target, prop, stored, text);
  // The property takes the stored text straight from the slot and hands back its own.
  ExchangedTexts texts;
  std::string& live = texts.Live();
  {
    const SetterWatch watch(this);
    prop.ExchangeStr(target, text, live);
    if (!watch.SlotSurvived(stored)) return true;
  }
  if (live.size() > kLongestText) {
    // Too long to store: the property gets its own text back, and the general way reports it.
    SetStrProp(target, prop, live);
    return false;
  }
  // As StoreLiveText, written out: on this way of every switch the call cost about as much.
  uint8_t* at = FittingSlot(stored, static_cast<int32_t>(kTextHeaderSize + live.size()));
  EncodeText(at ? at : ReserveOrGiveBack(target, prop, stored, live), live);
  return true;
}

bool TInconsistentLangPropertyEntry::ExchangeThroughSetter(TObject* target, const TPropInfo& prop,
                                                           int32_t stored, std::string_view text) {
  // The live text is kept aside while the setter takes a copy of the stored one, which the
  // setter still finds in its slot; the slot makes room for the live text first (which may
  // move the stored text, so the copy is taken before).
  ExchangedTexts texts;
  std::string& live = texts.Live();
  const std::string* current = GetStrPropRef(target, prop);
  live.assign(current ? *current : GetStrProp(target, prop));
  if (live.size() > kLongestText) return false;
  std::string& incoming = texts.Incoming();
  incoming.assign(text);
  PrepareSlot(stored, static_cast<int32_t>(kTextHeaderSize + live.size()));
  const SetterWatch watch(this);
  SetStrProp(target, prop, incoming);
  if (watch.SlotSurvived(stored)) StoreLiveText(target, prop, stored, live);
  return true;
}

uint8_t* TInconsistentLangPropertyEntry::ReserveOrGiveBack(TObject* target, const TPropInfo& prop,
                                                           int32_t slot, const std::string& live) {
  try {
    return ReserveSlot(slot, static_cast<int32_t>(kTextHeaderSize + live.size()));
  } catch (...) {
    // No room for it: the property gets its text back (into a string at least as large as
    // that text was), and the slot keeps the stored one.
    SetStrProp(target, prop, live);
    throw;
  }
}

void TInconsistentLangPropertyEntry::DefineProperties(TFiler* filer) {
  TConsistentLangPropertyEntry::DefineProperties(filer);
  filer->DefineBinaryProperty(
      "Values", [this](ByteCursor& in) { ReadValues(in); },
      [this](TStream& stream) { WriteValues(stream); }, true);
}

void TInconsistentLangPropertyEntry::ReadValues(TStream& stream) {
  const int64_t start = stream.Position();
  const std::vector<uint8_t> bytes = ReadRemaining(stream);
  ByteCursor in(bytes);
  try {
    ReadValues(in);
  } catch (...) {
    stream.SetPosition(start + static_cast<int64_t>(in.Position()));
    throw;
  }
  stream.SetPosition(start + static_cast<int64_t>(in.Position()));
}

void TInconsistentLangPropertyEntry::ReadValues(ByteCursor& in) {
  TruncateSlots(1);
  SetCoding(ReadValueRecords(in, Count(), Slots()));
}

void TInconsistentLangPropertyEntry::WriteValues(TStream& stream) const {
  bool marked = false;
  for (int32_t k = 1; k < Count(); ++k) {
    int32_t size = 0;
    const uint8_t* data = SlotValue(k, size);
    std::optional<std::string> stored;
    if (data) stored = SlotBlockToStream(data, size, k, Coding(), marked);
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
  if (marked) stream.WriteBuffer(kCodePageMark, sizeof kCodePageMark);
}

// ---------------------------------------------------------------------------------------------
// Languages

TLanguageEntry::TLanguageEntry(TCollection* collection) : TCollectionItem(collection) {}

void TLanguageEntry::Assign(const TPersistent* source) {
  const auto* other = ObjectCast<TLanguageEntry>(source);
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
  auto* entry = ObjectCast<TLanguageEntry>(item);
  if (!entry) {
    delete item;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return entry;
}

}  // namespace wdx
