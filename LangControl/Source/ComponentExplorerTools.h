// The entry tree of a language controller: which properties of which components (and of the
// objects reached through them) carry one value per language. Component entries name a
// component by reference; sub-entries reach objects through object-valued properties (a font,
// a string list, an item of a collection); property entries name one published property or one
// line of a string list. Validate resolves the textual description into live objects and
// property descriptors, and Purge drops what no longer resolves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "LangControl/Source/ComponentIndex.h"
#include "framework/components/Collection.h"
#include "framework/components/Component.h"
#include "framework/rtl/Variant.h"
#include "framework/rtti/ObjectStore.h"
#include "framework/rtti/PropInfo.h"
#include "framework/rtti/Set.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

// How an entry's target is found (bits 1, 2, 4, 8 of the stored set).
enum TMainEntrySubTypeElement : uint8_t {
  stPubPropObject,     // the target's published properties are translated
  stCollectionObject,  // with stPubPropObject: the target is item n of a collection property
  stTStringsObject,    // the target is a string list; property entries address its lines
  stNoValidate,        // the target is set by the entry's creator and never looked up
};
using TMainEntrySubType = TSet<TMainEntrySubTypeElement>;

WDX_DECLARE_TYPE(TMainEntrySubTypeElement);
WDX_DECLARE_TYPE(TMainEntrySubType);

// The number in a trailing "[digits]" of `name` (Lines[12] gives 12). Returns false when there
// is none; `index` is then -1 for names shorter than 3 characters or without a closing "]",
// and otherwise the value of the digits taken before the walk stopped. A number beyond the
// 32-bit range is no index.
bool ParseIndexSuffix(std::string_view name, int32_t& index);

class TBaseEntries;
class TComponentEntries;
class TComponentEntry;
class TMainEntries;
class TMainEntry;
class TPropertyEntries;
class TPropertyEntry;

// Called for every property entry of a tree walk; setting `stop` ends the walk.
using TPropertyVisitor =
    std::function<void(TMainEntry* entry, TPropertyEntry* property, void* data, bool& stop)>;

namespace entry_tree {
// Counted by the entry classes only; read it through EntryChanges.
inline uint64_t changes = 0;
// Type names are few and the same for many entries: each is kept once, for the life of the
// process, and an entry holds its number (0 for "").
uint32_t TypeNameNumber(const std::string& name);
const std::string& TypeNameOf(uint32_t number);
}  // namespace entry_tree

// How many changes the entry trees of the process have seen: entries made, freed or moved,
// and every change of what a validation reads or writes (names, kinds, indexes, sub-types,
// targets, descriptors). Setting a value an entry already has is no change, so validating
// entries that are valid already leaves the count as it is.
inline uint64_t EntryChanges() {
  return entry_tree::changes;
}

// ---------------------------------------------------------------------------------------------
// Collections

// A collection that reports every whole-collection assignment.
class TBaseEntries : public TCollection {
 public:
  WDX_CLASS(TBaseEntries)
  explicit TBaseEntries(const TMetaClass& itemClass);

  void Assign(const TPersistent* source) override;
  // The entry that owns the collection, or nullptr.
  virtual TMainEntry* OwnerEntry() const = 0;

 protected:
  // Items joining, leaving or moving count among the entry changes.
  void ItemsChanged() override;
  // Runs after every Assign, with the object assigned from.
  virtual void Assigned(const TPersistent* source);
};

// The sub-entries of a main entry (or, as TComponentEntries, the component list).
class TMainEntries : public TBaseEntries {
 public:
  WDX_CLASS(TMainEntries)

  // `ownerEntry` is the owning TMainEntry, or any other owner (the language control for the
  // component list). `propertyClass` is the class of the property entries in the tree below
  // (nullptr: TPropertyEntry).
  TMainEntries(TPersistent* ownerEntry, const TMetaClass* propertyClass);

  TMainEntry* Items(int index) const;
  TMainEntry* Add();

  const TMetaClass* PropertyClass() const { return propertyClass_; }
  void SetPropertyClass(const TMetaClass* propertyClass);
  // When set, Assign from another TMainEntries first takes over its PropertyClass.
  bool AdoptPropertyClass() const { return adoptPropertyClass_; }
  void SetAdoptPropertyClass(bool value) { adoptPropertyClass_ = value; }

  TMainEntry* OwnerEntry() const override;
  // Position of the first item whose Name equals `name` ignoring ASCII case, or -1.
  int IndexOfName(const std::string& name) const;

  // Visits the items from the last to the first; false when a visitor stopped the walk
  // (EntryTreeWalk.h has the same walk for any callable).
  bool ForEachProperty(const TPropertyVisitor& visitor, void* data = nullptr);
  // Validates every item, from the last to the first.
  void ValidateAll();
  // Removes unresolved property entries and then entries with nothing left to translate.
  void Purge();
  void ValidateAndPurge();

  void Assign(const TPersistent* source) override;

 protected:
  TMainEntries(const TMetaClass& itemClass, TPersistent* ownerEntry,
               const TMetaClass* propertyClass);
  // Purges the tree below `entry` and its unresolved property entries, leaving the entry.
  static void PurgeItem(TMainEntry* entry);
  // Frees the items left with neither property entries nor sub-entries.
  void DeleteEmptyItems();

 private:
  bool adoptPropertyClass_ = true;  // first: it fits in the room the collection leaves
  const TMetaClass* propertyClass_ = nullptr;
};

// The property entries of one main entry.
class TPropertyEntries : public TBaseEntries {
 public:
  WDX_CLASS(TPropertyEntries)

  // Items are of `propertyClass` (nullptr: TPropertyEntry).
  TPropertyEntries(TMainEntry* ownerEntry, const TMetaClass* propertyClass);

  TPropertyEntry* Items(int index) const;
  TPropertyEntry* Add();
  TMainEntry* OwnerEntry() const override;
};

// Receives the removal notices of the components that the entries of one component list
// reference, and frees their entries. It keeps an index from component to entry so that a
// notice costs constant time however long the list is.
class TInternalController : public TComponent {
 public:
  WDX_CLASS(TInternalController)

  explicit TInternalController(TComponent* owner);
  ~TInternalController() override;

  TComponentEntries* Entries() const { return entries_; }
  void SetEntries(TComponentEntries* entries) { entries_ = entries; }
  // The entry of the list whose Target is `component` (the last one in list order should
  // there be several), or nullptr.
  TComponentEntry* FindEntry(const TComponent* component) const;

  void Notification(TComponent* component, TOperation operation) override;
  // The entries of the component keep the name they have.
  void Renaming(TComponent* component) override;

 private:
  friend class TComponentEntry;
  friend class TComponentEntries;
  void Reindex(TComponentEntry* entry, const TComponent* from, const TComponent* to);

  TComponentEntries* entries_ = nullptr;
  TComponentIndex index_;
};

// The component list: one entry per translated component.
class TComponentEntries : public TMainEntries {
 public:
  WDX_CLASS(TComponentEntries)

  TComponentEntries(TPersistent* owner, const TMetaClass* propertyClass);
  ~TComponentEntries() override;

  // Runs after every Assign, with the list and the object it was assigned from. (Only the
  // component list has the event: the other collections are many, and none needs it.)
  using TAssignedEvent = std::function<void(TBaseEntries* sender, const TPersistent* source)>;
  TAssignedEvent OnAssigned;

  TComponentEntry* Items(int index) const;
  TComponentEntry* Add();
  TInternalController* Controller() const { return controller_.get(); }
  // The entry whose Target is `component`, in constant time; nullptr when none.
  TComponentEntry* FindByTarget(const TComponent* component) const;

  // Leaves the list as ValidateAndPurge would, doing only the work that can change it. While
  // no entry has changed (EntryChanges) and no component has been renamed since the last
  // call, the entries resolve as they did then, except those with sub-entries that are looked
  // up on live objects (a font, a string list, an item of a collection): only those are
  // validated and purged again. Returns whether the whole list was validated.
  bool Revalidate();
  // Revalidate's pass over the whole list, whatever has changed, calling `each` on every entry
  // that stays, from the last to the first, once it is validated and purged (so that a caller
  // that walks the entries anyway needs no walk of its own). `each` returns false when it has
  // changed the entries, and is not called again.
  void RevalidateEach(const std::function<bool(TComponentEntry*)>& each);

 protected:
  void Assigned(const TPersistent* source) override;
  // An entry that a purge frees leaves the watcher's index first.
  void ItemLeaving(TCollectionItem* item) override;

 private:
  void NoteRevalidated();

  std::unique_ptr<TInternalController> controller_;
  // What the last Revalidate saw: the two change counts, and the entries that depend on live
  // objects, in list order. Valid while the counts are the same.
  bool revalidated_ = false;
  uint64_t revalidatedEntries_ = 0;
  uint64_t revalidatedNames_ = 0;
  std::vector<TComponentEntry*> liveEntries_;
};

// ---------------------------------------------------------------------------------------------
// Entries

// A named entry of a collection.
class TBaseEntry : public TCollectionItem {
 public:
  WDX_CLASS(TBaseEntry)

  explicit TBaseEntry(TCollection* collection);

  // Main entries keep their own name; property entries share the one copy of each name.
  virtual const std::string& Name() const = 0;
  virtual void SetName(const std::string& name) = 0;
  // The class name of the target object, or the type name of the property ("String" for a
  // line of a string list). Not stored.
  const std::string& TypeName() const { return entry_tree::TypeNameOf(typeName_); }
  void SetTypeName(const std::string& typeName);
  // SetTypeName with the name's number (entry_tree::TypeNameNumber).
  void SetTypeNameNumber(uint32_t number);

  // TypeName, a colon and Name (TButton:btCancel).
  std::string GetDisplayName() const override;
  virtual TBaseEntries* OwnerCollection() const = 0;

 protected:
  // A byte of the entry classes' own, kept beside the type name's number: flags of a main
  // entry, the kind of a property entry.
  uint8_t Small() const { return static_cast<uint8_t>(small_); }
  void SetSmall(uint8_t value) { small_ = value; }
  bool Flag(unsigned bit) const { return (small_ >> bit) & 1u; }
  void SetFlag(unsigned bit, bool value) {
    small_ = static_cast<uint32_t>((small_ & ~(1u << bit)) | (uint32_t{value} << bit));
  }

 private:
  // 32 bits together, so that the fields of the entry classes fill the room after them.
  uint32_t typeName_ : 24 = 0;
  uint32_t small_ : 8 = 0;
};

// An object whose properties are translated: a component (TComponentEntry) or an object
// reached through one of its object-valued properties.
class TMainEntry : public TBaseEntry {
 public:
  WDX_CLASS(TMainEntry)

  // `collection` must be a TMainEntries (or nullptr).
  explicit TMainEntry(TCollection* collection);
  ~TMainEntry() override;

  // A new item of the collection's item class with these values; the target is set as it is,
  // without asking for removal notices.
  static TMainEntry* CreateWithValues(TMainEntries* collection, TObject* target,
                                      const std::string& name, const std::string& typeName,
                                      TMainEntrySubType subType);

  const std::string& Name() const override;
  void SetName(const std::string& name) override;

  // The object whose properties the entry translates; not owned, valid after Validate.
  TObject* Target() const { return target_; }
  virtual void SetTarget(TObject* target);
  // The sub-entries, a collection made when first asked for (most entries have none).
  TMainEntries* Items() const;
  // How many sub-entries there are, without making the collection.
  int SubEntryCount() const { return items_ ? items_->Count() : 0; }
  void SetItems(TMainEntries* items);
  TPropertyEntries* Props() const { return props_.get(); }
  void SetProps(TPropertyEntries* props);
  TMainEntrySubType SubType() const { return subType_; }
  void SetSubType(TMainEntrySubType subType);

  // From another main entry: Name, TypeName, SubType, Target and copies of Props and Items.
  void Assign(const TPersistent* source) override;
  TMainEntries* OwnerCollection() const override;
  // Resolves the targets of the sub-entries and the descriptors of the property entries
  // afresh, then validates the sub-entries.
  virtual void Validate();
  // Visits the own property entries from the last to the first, then the sub-entries; false
  // when a visitor stopped the walk.
  bool ForEachProperty(const TPropertyVisitor& visitor, void* data = nullptr);
  // Whether a sub-entry at any depth is looked up on a live object by Validate (its SubType
  // lacks stNoValidate), so that validating again may find something else.
  bool ResolvesThroughLiveObjects() const;

 protected:
  // Whether the target is a component, noted when the target is set, so that a reference is
  // never found by inspecting an object that may be gone.
  bool TargetIsComponent() const { return Flag(kTargetIsComponent); }
  void SetTargetIsComponent(bool value) { SetFlag(kTargetIsComponent, value); }
  // The entry's own copy of its name, set without counting a change ("" keeps none).
  const std::string& OwnName() const;
  void SetOwnName(const std::string& name);
  // For a component entry: the name is its component's own (no copy is kept).
  bool NameIsRefs() const { return Flag(kNameIsRefs); }
  void SetNameIsRefs(bool value) { SetFlag(kNameIsRefs, value); }
  // For a component entry: its target was set through Ref, which asked for the removal notice.
  bool RefWatched() const { return Flag(kRefWatched); }
  void SetRefWatched(bool value) { SetFlag(kRefWatched, value); }

 private:
  friend class TInternalController;
  // The descriptors of the property entries: matched by name and kind among the published
  // properties of the target when `browse` is set, else none.
  void ResolvePropertyEntries(bool browse);
  // The targets of the sub-entries that are looked up, read from the target's object-valued
  // properties when `browse` is set, else none.
  void ResolveSubEntries(bool browse);

  enum : unsigned {
    kTargetIsComponent,
    kItemsAdoptPropertyClass,  // for the sub-entries once they are made
    kNameIsRefs,
    kRefWatched,
  };

  TMainEntrySubType subType_;  // first: it fits in the room the type name leaves
  // Most main entries are component entries, whose name is their component's: a copy is made
  // only for a name of another kind.
  std::unique_ptr<std::string> name_;
  TObject* target_ = nullptr;
  std::unique_ptr<TPropertyEntries> props_;
  mutable std::unique_ptr<TMainEntries> items_;
};

// The top-level entry of one component, identified in the stream by Ref.
class TComponentEntry : public TMainEntry {
 public:
  WDX_CLASS(TComponentEntry)

  // `collection` must be a TComponentEntries (or nullptr).
  explicit TComponentEntry(TCollection* collection);
  ~TComponentEntry() override;

  // The removal watcher of the component list that holds the entry; nullptr outside one.
  TInternalController* Controller() const {
    // Nearly always in a list of exactly that class.
    const TCollection* collection = Collection();
    const auto* list = collection && typeid(*collection) == typeid(TComponentEntries)
                           ? static_cast<const TComponentEntries*>(collection)
                           : ObjectCast<TComponentEntries>(collection);
    return list ? list->Controller() : nullptr;
  }
  // The target when it is a component.
  TComponent* Ref() const {
    return TargetIsComponent() ? static_cast<TComponent*>(Target()) : nullptr;
  }
  // Asks for the component's removal notice and makes it the target.
  void SetRef(TComponent* component);
  // The name the entry was last given. When that is its component's current name and the
  // component's removal notice frees the entry, the entry keeps no copy of it but reads the
  // component's; a copy is taken when the component is renamed (NameChanged).
  const std::string& Name() const override;
  void SetName(const std::string& name) override;
  void SetTarget(TObject* target) override;
  // Moving to another list moves the entry's place in the watchers' indexes (and asks the new
  // list's watcher for the component's removal notice).
  void SetCollection(TCollection* collection) override;

  // As for a main entry; the source's target must be a component (or none).
  void Assign(const TPersistent* source) override;
  // Takes the component's current name and class name, then validates as a main entry.
  void Validate() override;

 private:
  // SetTarget to another target: `component` is the target as a component (or nullptr), and
  // `controller` the entry's Controller.
  void Retarget(TObject* target, TComponent* component, TInternalController* controller);
  // As SetName(Ref()->Name()) for an entry with a Ref, without comparing that name with itself.
  void TakeRefName();
};

// One translated property, or one line of a string list.
class TPropertyEntry : public TBaseEntry {
 public:
  WDX_CLASS(TPropertyEntry)

  // `collection` must be a TPropertyEntries (or nullptr).
  explicit TPropertyEntry(TCollection* collection);

  ~TPropertyEntry() override;

  // Property names repeat from entry to entry (Caption, Text): each is kept once.
  const std::string& Name() const override { return *name_; }
  void SetName(const std::string& name) override;
  TTypeKind Kind() const { return static_cast<TTypeKind>(Small()); }
  void SetKind(TTypeKind kind);
  // The line number for an entry of a string-list target whose Name has no index suffix; -1
  // when unused. (Hides the item position; use TCollectionItem::Index for that.)
  int32_t Index() const { return index_; }
  void SetIndex(int32_t index);
  // The matched published property; not owned, valid after Validate of the owning entry.
  const TPropInfo* PropInfo() const { return propInfo_; }
  void SetPropInfo(const TPropInfo* propInfo);

  // From another property entry: PropInfo, Name, TypeName, Kind and Index.
  void Assign(const TPersistent* source) override;
  TPropertyEntries* OwnerCollection() const override;
  // The main entry whose Props hold this entry, or nullptr.
  TMainEntry* OwnerEntry() const;
  // Prefix, Name, "[Index]" when Index is 0 or more, ": " and TypeName.
  virtual std::string GetDescription(const std::string& prefix) const;

  // The property's current value on the live object; Null when it cannot be reached.
  Variant GetLiveValue() const;
  // Writes the property on the live object; nothing happens when it cannot be reached.
  void SetLiveValue(const Variant& value);
  // Whether GetLiveValue and SetLiveValue reach a property or a line.
  bool LiveValueReachable() const;

 private:
  bool LineNumber(int32_t& line) const;

  // The kind is the small field of the base (tkUnknown is 0); the index fills the room after
  // the base, and the language-value entries' fields fill the 8 bytes after these.
  int32_t index_ = -1;
  const std::string* name_;
  const TPropInfo* propInfo_ = nullptr;
};

}  // namespace wdx
