// The languages of a language controller and the property entries that keep one value per
// language. Slot k of every property entry belongs to the language whose SubIndex is k; slot 0
// is the active language. Values are held as compact encoded buffers (a 4-byte type code and
// the raw value), so exchanging two stored slots moves two buffers and copies nothing.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <typeinfo>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "LangControl/Source/SlotTexts.h"
#include "LangControl/Source/ValueSlots.h"
#include "framework/components/Collection.h"
#include "framework/rtl/Variant.h"

namespace wdx {

class ByteCursor;
class TStream;

// A property entry whose Count value slots are all held in the entry. Its slots are not
// stored in form streams.
class TConsistentLangPropertyEntry : public TPropertyEntry {
 public:
  WDX_CLASS(TConsistentLangPropertyEntry)

  explicit TConsistentLangPropertyEntry(TCollection* collection);
  ~TConsistentLangPropertyEntry() override;

  // The number of value slots; 0 after construction. Setting a value below 1 gives 1; slots
  // beyond a smaller count are released, new slots start empty.
  int32_t Count() const { return count_; }
  void SetCount(int32_t count);
  // Whether slot `index` holds a value (an empty slot reads as Null).
  bool HasLangValue(int32_t index) const;

  // Count and every slot value from `source`; a slot that holds no value there holds none here.
  virtual void AssignLangValues(const TConsistentLangPropertyEntry* source);
  // The value of slot `index` (0 to Count - 1); Null for an empty slot.
  virtual Variant GetLangValue(int32_t index) const;
  // Replaces the value of slot `index`; a value the encoding refuses leaves the slot empty.
  virtual void SetLangValue(int32_t index, const Variant& value);
  virtual void ExchangeLangValues(int32_t index1, int32_t index2);

  // The property-entry assignment, then the slot values of a language-value source.
  void Assign(const TPersistent* source) override;

  // The number of the last language switch that reached this entry (0: none), so that a
  // switch that has to finish by walking the tree knows which entries it has done.
  uint32_t LastSwitch() const { return lastSwitch_ & kSwitchBits; }
  void SetLastSwitch(uint32_t number) {
    lastSwitch_ = (lastSwitch_ & ~kSwitchBits) | (number & kSwitchBits);
  }
  static constexpr uint32_t kSwitchBits = 0x7FFFFFFF;
  // As for a property entry, without the bracketed index.
  std::string GetDescription(const std::string& prefix) const override;

 protected:
  void CheckIndex(int32_t index, const char* operation) const;
  // The bytes of slot `index` and their number; nullptr for an empty slot.
  const uint8_t* SlotValue(int32_t index, int32_t& size) const { return slots_.Value(index, size); }
  // Slot `index` takes `size` bytes, which the caller fills (TValueSlots::Reserve).
  uint8_t* ReserveSlot(int32_t index, int32_t size) { return slots_.Reserve(index, size, count_); }
  // ReserveSlot when that needs no allocation, else nullptr.
  uint8_t* FittingSlot(int32_t index, int32_t size) { return slots_.Fitting(index, size); }
  // Makes sure slot `index` can take `size` bytes later without allocating; its value stays.
  void PrepareSlot(int32_t index, int32_t size) { slots_.Prepare(index, size, count_); }
  void ClearSlot(int32_t index) { slots_.Clear(index); }
  void TruncateSlots(int32_t first) { slots_.Truncate(first); }
  // Slot `index` takes a copy of the `size` bytes at `buffer`.
  void StoreValue(int32_t index, const uint8_t* buffer, int32_t size);
  void SwapSlots(int32_t index1, int32_t index2) { slots_.Swap(index1, index2, count_); }
  TValueSlots& Slots() { return slots_; }
  TSlotCoding Coding() const {
    return (lastSwitch_ & ~kSwitchBits) != 0 ? TSlotCoding::kLegacy : TSlotCoding::kCodePages;
  }
  void SetCoding(TSlotCoding coding) {
    lastSwitch_ = (lastSwitch_ & kSwitchBits) | (coding == TSlotCoding::kLegacy ? ~kSwitchBits : 0);
  }
  // Count from `source` and, from slot 1 on, a copy of each value it holds; only the slots that
  // hold values are visited, whatever the source's Count says.
  void CopyStoredSlots(const TConsistentLangPropertyEntry& source);

 private:
  int32_t count_ = 0;
  // The number of the last switch, and in the top bit whether the entry's texts go to a stream
  // as earlier builds wrote them (SlotTexts.h): a label's entry takes no more room for it.
  uint32_t lastSwitch_ = 0;
  TValueSlots slots_;
};

// A language-value entry whose slot 0 is the live property value itself; slots 1 and up are
// held in the entry and stored in form streams as the binary property "Values".
class TInconsistentLangPropertyEntry : public TConsistentLangPropertyEntry {
 public:
  WDX_CLASS(TInconsistentLangPropertyEntry)

  explicit TInconsistentLangPropertyEntry(TCollection* collection);

  // Slot 0 reads and writes the live property; the source's live value is copied only from a
  // source whose slot 0 is held in the entry.
  void AssignLangValues(const TConsistentLangPropertyEntry* source) override;
  Variant GetLangValue(int32_t index) const override;
  void SetLangValue(int32_t index, const Variant& value) override;
  // With slot 0: the live value and the stored one change places. When the live value cannot
  // be reached the stored slot is kept as it is.
  void ExchangeLangValues(int32_t index1, int32_t index2) override;

  // The common case of that exchange, which needs no variants: the object whose live text can
  // change places with a stored one, when this entry names a readable and writable string
  // property of the target of `owner`, the entry that holds it; else nullptr.
  TObject* TextTarget(const TMainEntry* owner) const;
  // ExchangeLangValues(0, stored) for `target` and `prop` given by TextTarget and PropInfo
  // and a slot holding text: the two texts change places. False, having changed nothing,
  // when `stored` is not one of the slots 1 to Count - 1 or its slot holds no text.
  bool ExchangeStoredText(TObject* target, const TPropInfo& prop, int32_t stored);

  void DefineProperties(TFiler* filer) override;

  // The content of "Values": for each slot from 1 to Count - 1 a 32-bit size S (0 for an
  // empty slot) and S bytes of the slot's buffer, its text in the slot's code page or beyond it
  // in UTF-16, then the mark when a text lies in a code page other than Windows-1252 (SlotTexts.h).
  // Read without the mark, the entry writes its texts back as earlier builds wrote them.
  void ReadValues(ByteCursor& in);
  void ReadValues(TStream& stream);
  void WriteValues(TStream& stream) const;

 private:
  static constexpr int32_t kTextHeaderSize = 4;  // the type code before the characters
  // The longest text a slot can hold.
  static constexpr size_t kLongestText = INT32_MAX - kTextHeaderSize;

  // ExchangeStoredText for a property without ExchangeStr: its getter and its setter.
  bool ExchangeThroughSetter(TObject* target, const TPropInfo& prop, int32_t stored,
                             std::string_view text);
  // Stores the live text that an exchange took from the property in slot `slot`; when there is
  // no room for it, gives it back to the property and raises the allocator's error.
  void StoreLiveText(TObject* target, const TPropInfo& prop, int32_t slot, const std::string& live);
  uint8_t* ReserveOrGiveBack(TObject* target, const TPropInfo& prop, int32_t slot,
                             const std::string& live);
};

// `property` as a language-value entry, or nullptr when it is a plain property entry.
inline TConsistentLangPropertyEntry* LangValuesOf(TPropertyEntry* property) {
  // Nearly every entry a manager walks is of the class it uses.
  if (property && typeid(*property) == typeid(TInconsistentLangPropertyEntry)) {
    return static_cast<TInconsistentLangPropertyEntry*>(property);
  }
  return ObjectCast<TConsistentLangPropertyEntry>(property);
}

// One language.
class TLanguageEntry : public TCollectionItem {
 public:
  WDX_CLASS(TLanguageEntry)

  explicit TLanguageEntry(TCollection* collection);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  // The language's slot in every property entry; -1 until the language is placed.
  int32_t SubIndex() const { return subIndex_; }
  void SetSubIndex(int32_t subIndex) { subIndex_ = subIndex; }
  bool IsActive() const { return subIndex_ == 0; }

  void Assign(const TPersistent* source) override;

 private:
  std::string name_;
  std::string hint_;
  int32_t subIndex_ = -1;
};

// The language list of a language control.
class TLanguageEntries : public TCollection {
 public:
  WDX_CLASS(TLanguageEntries)

  explicit TLanguageEntries(TPersistent* owner);

  TLanguageEntry* Items(int index) const;
  TLanguageEntry* Add();
};

}  // namespace wdx
