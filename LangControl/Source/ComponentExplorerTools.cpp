#include "LangControl/Source/ComponentExplorerTools.h"

#include <algorithm>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "LangControl/Source/ClassInfo.h"
#include "framework/components/Strings.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/Published.h"

namespace wdx {

WDX_DEFINE_ENUM(TMainEntrySubTypeElement, "stPubPropObject", "stCollectionObject",
                "stTStringsObject", "stNoValidate")
WDX_DEFINE_SET(TMainEntrySubType, "TMainEntrySubType", TMainEntrySubTypeElement)

namespace {

// Sets `field` to `value`, counting an entry change when they differ.
template <class T>
void Change(T& field, const T& value) {
  if (field == value) return;
  field = value;
  ++entry_tree::changes;
}

const TMainEntrySubType kPubProp{stPubPropObject};
const TMainEntrySubType kStrings{stTStringsObject};
const TMainEntrySubType kCollectionItem{stPubPropObject, stCollectionObject};

// The collection an item is created in, checked to be of the class the item needs before the
// item joins it.
template <class C>
TCollection* Expect(TCollection* collection) {
  if (collection && !dynamic_cast<C*>(collection)) throw EInvalidCast(msg::kInvalidCast);
  return collection;
}

// The published properties of one class as resolving needs them: keyed by the upper-case name
// followed by the kind, with the descriptor and its type. Built once per class, in the order of
// the class's sorted list, a later property with the same key replacing an earlier one, as a
// walk over the list that records every match would leave it.
struct TResolvedProperty {
  const TPropInfo* prop;
  const TTypeInfo* type;
};
using TPropertyIndex = std::unordered_map<std::string, TResolvedProperty>;

const TPropertyIndex& PublishedPropertyIndex(const TMetaClass& cls) {
  // Classes live as long as the program, so the index of each is built on its first use and
  // kept. All access is on the user-interface thread.
  static std::unordered_map<const TMetaClass*, TPropertyIndex> indexes;
  const auto found = indexes.find(&cls);
  if (found != indexes.end()) return found->second;
  TPropertyIndex index;
  for (const TPropInfo* prop : cls.SortedProperties()) {
    const TTypeInfo* type = prop ? prop->PropType() : nullptr;
    if (!type) continue;
    std::string key = AsciiUpper(prop->Name);
    key.push_back(static_cast<char>(type->Kind));
    index.insert_or_assign(std::move(key), TResolvedProperty{prop, type});
  }
  return indexes.emplace(&cls, std::move(index)).first->second;
}

// Whether `test` holds for an item of `collection`.
template <class Test>
bool AnyItem(const TCollection& collection, const Test& test) {
  for (int i = 0; i < collection.Count(); ++i) {
    if (test(collection.Items(i))) return true;
  }
  return false;
}

void CheckPropertyClass(const TMetaClass* propertyClass) {
  if (propertyClass && !propertyClass->InheritsFrom(TPropertyEntry::StaticClass())) {
    throw EInvalidCast(msg::kInvalidCast);
  }
}

const TMetaClass& PropertyItemClass(const TMetaClass* propertyClass) {
  CheckPropertyClass(propertyClass);
  return propertyClass ? *propertyClass : TPropertyEntry::StaticClass();
}

// Deletes the first occurrence of `search` in `text` and inserts `replacement` there.
void ReplaceFirst(std::string& text, std::string_view search, std::string_view replacement) {
  const size_t at = text.find(search);
  if (at != std::string::npos) text.replace(at, search.size(), replacement);
}

// Everything before the first "[", when there is one.
bool TextBeforeBracket(const std::string& text, std::string& before) {
  const size_t at = text.find('[');
  if (at == std::string::npos) {
    before.clear();
    return false;
  }
  before = text.substr(0, at);
  return true;
}

}  // namespace

bool ParseIndexSuffix(std::string_view name, int32_t& index) {
  const size_t length = name.size();
  if (length < 3 || name.back() != ']') {
    index = -1;
    return false;
  }
  constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  int64_t multiplier = 1;
  bool overflow = false;
  bool taken = false;
  size_t at = length - 2;
  // The walk never takes the first character: a suffix needs its "[" in front.
  while (at > 0 && name[at] >= '0' && name[at] <= '9') {
    const int64_t digit = name[at] - '0';
    if (digit != 0) {
      if (multiplier > kLimit || value + digit * multiplier > kLimit) {
        overflow = true;
      } else {
        value += digit * multiplier;
      }
    }
    // Leading zeros stay harmless however many there are.
    if (multiplier <= kLimit) multiplier *= 10;
    taken = true;
    --at;
  }
  index = static_cast<int32_t>(value);
  return taken && !overflow && name[at] == '[';
}

// ---------------------------------------------------------------------------------------------
// Class tables

const TMetaClass& TBaseEntries::StaticClass() {
  static const TMetaClass meta("TBaseEntries", &TCollection::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TMainEntries::StaticClass() {
  static const TMetaClass meta("TMainEntries", &TBaseEntries::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TPropertyEntries::StaticClass() {
  static const TMetaClass meta("TPropertyEntries", &TBaseEntries::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TComponentEntries::StaticClass() {
  static const TMetaClass meta("TComponentEntries", &TMainEntries::StaticClass(), nullptr, {});
  return meta;
}

const TMetaClass& TInternalController::StaticClass() {
  static const TMetaClass meta("TInternalController", &TComponent::StaticClass(),
                               FactoryOf<TInternalController>(), {});
  return meta;
}

const TMetaClass& TBaseEntry::StaticClass() {
  static const TMetaClass meta(
      "TBaseEntry", &TCollectionItem::StaticClass(), FactoryOf<TBaseEntry>(),
      {
          Published<TBaseEntry>("Name", &TBaseEntry::Name, &TBaseEntry::SetName),
      });
  return meta;
}

const TMetaClass& TMainEntry::StaticClass() {
  static const TMetaClass meta(
      "TMainEntry", &TBaseEntry::StaticClass(), FactoryOf<TMainEntry>(),
      {
          Published<TMainEntry>("Items", &TMainEntry::Items, &TMainEntry::SetItems),
          Published<TMainEntry>("Props", &TMainEntry::Props, &TMainEntry::SetProps),
          Published<TMainEntry>("SubType", &TMainEntry::SubType, &TMainEntry::SetSubType),
      });
  return meta;
}

const TMetaClass& TComponentEntry::StaticClass() {
  static const TMetaClass meta(
      "TComponentEntry", &TMainEntry::StaticClass(), FactoryOf<TComponentEntry>(),
      {
          // A component entry is identified by its reference alone.
          Published<TComponentEntry>("Name", &TComponentEntry::Name, &TComponentEntry::SetName)
              .NotStored(),
          Published<TComponentEntry>("Ref", &TComponentEntry::Ref, &TComponentEntry::SetRef),
      });
  return meta;
}

const TMetaClass& TPropertyEntry::StaticClass() {
  static const TMetaClass meta(
      "TPropertyEntry", &TBaseEntry::StaticClass(), FactoryOf<TPropertyEntry>(),
      {
          Published<TPropertyEntry>("Kind", &TPropertyEntry::Kind, &TPropertyEntry::SetKind),
          Published<TPropertyEntry>("Index", &TPropertyEntry::Index, &TPropertyEntry::SetIndex)
              .StoredWhen([](const TObject* object) {
                return CastTo<TPropertyEntry>(object).Index() >= 0;
              }),
      });
  return meta;
}

// ---------------------------------------------------------------------------------------------
// TBaseEntries

TBaseEntries::TBaseEntries(const TMetaClass& itemClass) : TCollection(itemClass) {}

void TBaseEntries::Assign(const TPersistent* source) {
  // Clearing first would lose the very items to be copied.
  if (source == this) return;
  TCollection::Assign(source);
  if (OnAssigned) OnAssigned(this, source);
}

void TBaseEntries::ItemsChanged() {
  ++entry_tree::changes;
}

// ---------------------------------------------------------------------------------------------
// TMainEntries

TMainEntries::TMainEntries(TPersistent* ownerEntry, const TMetaClass* propertyClass)
    : TMainEntries(TMainEntry::StaticClass(), ownerEntry, propertyClass) {}

TMainEntries::TMainEntries(const TMetaClass& itemClass, TPersistent* ownerEntry,
                           const TMetaClass* propertyClass)
    : TBaseEntries(itemClass) {
  CheckPropertyClass(propertyClass);
  propertyClass_ = propertyClass;
  SetOwner(ownerEntry);
}

TMainEntry* TMainEntries::Items(int index) const {
  return static_cast<TMainEntry*>(TCollection::Items(index));
}

TMainEntry* TMainEntries::Add() {
  TCollectionItem* item = TCollection::Add();
  auto* entry = dynamic_cast<TMainEntry*>(item);
  if (!entry) {
    delete item;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return entry;
}

void TMainEntries::SetPropertyClass(const TMetaClass* propertyClass) {
  CheckPropertyClass(propertyClass);
  propertyClass_ = propertyClass;
}

TMainEntry* TMainEntries::OwnerEntry() const {
  return dynamic_cast<TMainEntry*>(GetOwner());
}

int TMainEntries::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Items(i)->Name(), name)) return i;
  }
  return -1;
}

bool TMainEntries::ForEachProperty(const TPropertyVisitor& visitor, void* data) {
  return VisitProperties([&visitor, data](TMainEntry* entry, TPropertyEntry* property, bool& stop) {
    visitor(entry, property, data, stop);
  });
}

void TMainEntries::ValidateAll() {
  for (int i = Count(); i-- > 0;) Items(i)->Validate();
}

void TMainEntries::Purge() {
  for (int i = Count(); i-- > 0;) PurgeItem(Items(i));
  DeleteEmptyItems();
}

void TMainEntries::PurgeItem(TMainEntry* entry) {
  // Each list is scanned before it is asked to delete anything: in a purge after the first,
  // nothing usually goes, and a scan costs no allocation.
  if (entry->Items()->Count() > 0) entry->Items()->Purge();
  const TMainEntrySubType subType = entry->SubType();
  TPropertyEntries* props = entry->Props();
  if (subType.Contains(stPubPropObject)) {
    const auto unresolved = [](const TCollectionItem* item) {
      return static_cast<const TPropertyEntry*>(item)->PropInfo() == nullptr;
    };
    if (AnyItem(*props, unresolved)) props->DeleteWhere(unresolved);
  } else if (subType.Contains(stTStringsObject)) {
    // A line entry needs only a line number: an Index, or a valid suffix of its name.
    const auto lineless = [](const TCollectionItem* item) {
      const auto* prop = static_cast<const TPropertyEntry*>(item);
      int32_t line = 0;
      return prop->PropInfo() != nullptr ||
             (prop->Index() < 0 && !ParseIndexSuffix(prop->Name(), line));
    };
    if (AnyItem(*props, lineless)) props->DeleteWhere(lineless);
  }
}

void TMainEntries::DeleteEmptyItems() {
  const auto empty = [](const TCollectionItem* item) {
    const auto* entry = static_cast<const TMainEntry*>(item);
    return entry->Props()->Count() == 0 && entry->Items()->Count() == 0;
  };
  if (AnyItem(*this, empty)) DeleteWhere(empty);
}

void TMainEntries::ValidateAndPurge() {
  ValidateAll();
  Purge();
}

void TMainEntries::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TMainEntries*>(source)) {
    if (adoptPropertyClass_ && other != this) propertyClass_ = other->propertyClass_;
  }
  TBaseEntries::Assign(source);
}

// ---------------------------------------------------------------------------------------------
// TPropertyEntries

TPropertyEntries::TPropertyEntries(TMainEntry* ownerEntry, const TMetaClass* propertyClass)
    : TBaseEntries(PropertyItemClass(propertyClass)), ownerEntry_(ownerEntry) {
  SetOwner(ownerEntry);
}

TPropertyEntry* TPropertyEntries::Items(int index) const {
  return static_cast<TPropertyEntry*>(TCollection::Items(index));
}

TPropertyEntry* TPropertyEntries::Add() {
  TCollectionItem* item = TCollection::Add();
  auto* entry = dynamic_cast<TPropertyEntry*>(item);
  if (!entry) {
    delete item;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return entry;
}

// ---------------------------------------------------------------------------------------------
// TInternalController

TInternalController::TInternalController(TComponent* owner) : TComponent(owner) {}

TInternalController::~TInternalController() {
  DetachAll();
}

TComponentEntry* TInternalController::FindEntry(const TComponent* component) const {
  if (!component || !entries_) return nullptr;
  const auto [first, last] = byTarget_.equal_range(component);
  TComponentEntry* found = nullptr;
  int foundAt = -1;
  for (auto it = first; it != last; ++it) {
    TComponentEntry* entry = it->second;
    if (entry->Collection() != entries_) continue;
    if (!found) {
      found = entry;
      continue;
    }
    // Several entries for one component: the last one in list order counts.
    if (foundAt < 0) foundAt = found->TCollectionItem::Index();
    const int at = entry->TCollectionItem::Index();
    if (at > foundAt) {
      found = entry;
      foundAt = at;
    }
  }
  return found;
}

void TInternalController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !component || !entries_) return;
  // Every entry of the list that targets the component goes: one that stayed would point at
  // a destroyed object.
  while (TComponentEntry* entry = FindEntry(component)) delete entry;
}

void TInternalController::Reindex(TComponentEntry* entry, const TComponent* from,
                                  const TComponent* to) {
  if (from == to) return;
  if (from) {
    const auto [first, last] = byTarget_.equal_range(from);
    for (auto it = first; it != last; ++it) {
      if (it->second == entry) {
        byTarget_.erase(it);
        break;
      }
    }
  }
  if (to) byTarget_.emplace(to, entry);
}

void TInternalController::DetachAll() {
  // Entries that outlive their list (moved to another collection) must not reach back here.
  for (auto& [component, entry] : byTarget_) entry->controller_ = nullptr;
  byTarget_.clear();
}

// ---------------------------------------------------------------------------------------------
// TComponentEntries

TComponentEntries::TComponentEntries(TPersistent* owner, const TMetaClass* propertyClass)
    : TMainEntries(TComponentEntry::StaticClass(), owner, propertyClass),
      controller_(std::make_unique<TInternalController>(nullptr)) {
  controller_->SetEntries(this);
}

TComponentEntries::~TComponentEntries() {
  // The entries go first: each one leaves the controller's index as it is freed.
  Clear();
  controller_->SetEntries(nullptr);
  controller_->DetachAll();
  controller_.reset();
}

TComponentEntry* TComponentEntries::Items(int index) const {
  return static_cast<TComponentEntry*>(TCollection::Items(index));
}

TComponentEntry* TComponentEntries::Add() {
  TMainEntry* entry = TMainEntries::Add();
  auto* component = dynamic_cast<TComponentEntry*>(entry);
  if (!component) {
    delete entry;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return component;
}

TComponentEntry* TComponentEntries::FindByTarget(const TComponent* component) const {
  return controller_->FindEntry(component);
}

bool TComponentEntries::Revalidate() {
  const bool unchanged = revalidated_ && revalidatedEntries_ == EntryChanges() &&
                         revalidatedNames_ == TComponent::NameChanges();
  if (!unchanged) {
    revalidated_ = false;
    // ValidateAndPurge, noting the entries that depend on live objects while each is at hand.
    // One that does so before the purge may not after it, and is then validated again to no
    // effect; one that does not, cannot after it.
    liveEntries_.clear();
    for (int i = Count(); i-- > 0;) {
      TComponentEntry* entry = Items(i);
      entry->Validate();
      if (entry->ResolvesThroughLiveObjects()) liveEntries_.push_back(entry);
    }
    std::reverse(liveEntries_.begin(), liveEntries_.end());
    const int validated = Count();
    Purge();
    if (Count() != validated) {
      // Some went: keep only those still in the list.
      std::unordered_set<const TComponentEntry*> kept;
      for (int i = 0; i < Count(); ++i) kept.insert(Items(i));
      std::erase_if(liveEntries_,
                    [&kept](const TComponentEntry* entry) { return kept.count(entry) == 0; });
    }
  } else if (!liveEntries_.empty()) {
    // As ValidateAndPurge, over these entries only: the others would come out as they are.
    const uint64_t before = EntryChanges();
    for (size_t i = liveEntries_.size(); i-- > 0;) liveEntries_[i]->Validate();
    for (size_t i = liveEntries_.size(); i-- > 0;) PurgeItem(liveEntries_[i]);
    DeleteEmptyItems();
    // What changed may have freed some of them: the next call looks at the whole list again.
    if (EntryChanges() != before) {
      revalidated_ = false;
      return false;
    }
  }
  revalidated_ = true;
  revalidatedEntries_ = EntryChanges();
  revalidatedNames_ = TComponent::NameChanges();
  return !unchanged;
}

// ---------------------------------------------------------------------------------------------
// TBaseEntry

TBaseEntry::TBaseEntry(TCollection* collection) : TCollectionItem(collection) {}

void TBaseEntry::SetName(const std::string& name) {
  Change(name_, name);
}

void TBaseEntry::SetTypeName(const std::string& typeName) {
  Change(typeName_, typeName);
}

std::string TBaseEntry::GetDisplayName() const {
  return typeName_ + ":" + name_;
}

// ---------------------------------------------------------------------------------------------
// TMainEntry

TMainEntry::TMainEntry(TCollection* collection) : TBaseEntry(Expect<TMainEntries>(collection)) {
  const auto* holder = static_cast<TMainEntries*>(collection);
  const TMetaClass* propertyClass = holder ? holder->PropertyClass() : nullptr;
  props_ = std::make_unique<TPropertyEntries>(this, propertyClass);
  items_ = std::make_unique<TMainEntries>(this, propertyClass);
  if (holder) items_->SetAdoptPropertyClass(holder->AdoptPropertyClass());
}

TMainEntry::~TMainEntry() {
  items_.reset();
  props_.reset();
}

TMainEntry* TMainEntry::CreateWithValues(TMainEntries* collection, TObject* target,
                                         const std::string& name, const std::string& typeName,
                                         TMainEntrySubType subType) {
  TMainEntry* entry = collection ? collection->Add() : new TMainEntry(nullptr);
  // Directly, not through a component entry's Ref: no removal notice is asked for.
  entry->SetTarget(target);
  entry->SetName(name);
  entry->SetTypeName(typeName);
  entry->SetSubType(subType);
  return entry;
}

void TMainEntry::SetTarget(TObject* target) {
  Change(target_, target);
}

void TMainEntry::SetSubType(TMainEntrySubType subType) {
  Change(subType_, subType);
}

void TMainEntry::SetItems(TMainEntries* items) {
  items_->Assign(items);
}

void TMainEntry::SetProps(TPropertyEntries* props) {
  props_->Assign(props);
}

void TMainEntry::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TMainEntry*>(source);
  if (!other) {
    TBaseEntry::Assign(source);
    return;
  }
  if (other == this) return;
  SetName(other->Name());
  SetTypeName(other->TypeName());
  SetSubType(other->subType_);
  SetTarget(other->target_);
  props_->Assign(other->props_.get());
  items_->Assign(other->items_.get());
}

TMainEntries* TMainEntry::OwnerCollection() const {
  return dynamic_cast<TMainEntries*>(Collection());
}

void TMainEntry::Validate() {
  // Each descriptor and target is worked out before it is set, so that an entry that resolves
  // as it did before sees no change at all.
  if (props_->Count() > 0 || items_->Count() > 0) {
    for (int i = 0; i < items_->Count(); ++i) {
      TMainEntry* sub = items_->Items(i);
      if (sub->SubType().Contains(stNoValidate) && sub->SubType().Contains(stTStringsObject)) {
        TPropertyEntries* lines = sub->Props();
        for (int j = 0; j < lines->Count(); ++j) {
          if (lines->Items(j)->TypeName().empty()) lines->Items(j)->SetTypeName("String");
        }
      }
    }
    const bool browse = subType_.Contains(stPubPropObject) && target_;
    ResolvePropertyEntries(browse);
    ResolveSubEntries(browse);
  }
  items_->ValidateAll();
}

void TMainEntry::ResolvePropertyEntries(bool browse) {
  const int count = props_->Count();
  if (count == 0) return;
  // One lookup each in the class's index. The first entry in collection order with a name and
  // kind wins; later ones with the same stay unresolved.
  const TPropertyIndex* published =
      browse ? &PublishedPropertyIndex(target_->ClassType()) : nullptr;
  std::unordered_set<std::string> claimed;
  for (int i = 0; i < count; ++i) {
    TPropertyEntry* prop = props_->Items(i);
    const TResolvedProperty* match = nullptr;
    if (published) {
      std::string key = AsciiUpper(prop->Name());
      key.push_back(static_cast<char>(prop->Kind()));
      if (count == 1 || claimed.insert(key).second) {
        const auto found = published->find(key);
        if (found != published->end()) match = &found->second;
      }
    }
    prop->SetPropInfo(match ? match->prop : nullptr);
    if (match) prop->SetTypeName(match->type->Name);
  }
}

void TMainEntry::ResolveSubEntries(bool browse) {
  const int count = items_->Count();
  if (count == 0) return;
  // The target each looked-up sub-entry ends with; none unless one is found below.
  std::vector<TObject*> targets(static_cast<size_t>(count), nullptr);

  // Sub-entries by the name of the property that leads to them, in collection order.
  std::unordered_map<std::string, std::vector<int>> subs;
  for (int i = 0; browse && i < count; ++i) {
    const TMainEntry* sub = items_->Items(i);
    const TMainEntrySubType subType = sub->SubType();
    if (subType.Contains(stNoValidate)) continue;
    std::string key;
    if (subType == kPubProp || subType == kStrings) {
      key = sub->Name();
    } else if (subType != kCollectionItem || !TextBeforeBracket(sub->Name(), key)) {
      continue;  // never resolved
    }
    subs[AsciiUpper(key)].push_back(i);
  }
  if (!subs.empty()) {
    TClassInfo info(target_);
    for (int32_t p = 0; p < info.Count(); ++p) {
      if (!info.Select(p)) continue;
      if (info.Kind() != tkClass) continue;
      const auto found = subs.find(AsciiUpper(info.Name()));
      if (found == subs.end()) continue;
      for (const int at : found->second) {
        TObject*& target = targets[static_cast<size_t>(at)];
        TMainEntry* sub = items_->Items(at);
        const TMainEntrySubType subType = sub->SubType();
        if (subType == kPubProp) {
          target = info.GetAsObject();
          break;
        }
        if (subType == kStrings) {
          auto* strings = dynamic_cast<TStrings*>(info.GetAsObject());
          if (!strings) break;
          target = strings;
          TPropertyEntries* lines = sub->Props();
          for (int j = 0; j < lines->Count(); ++j) {
            TPropertyEntry* line = lines->Items(j);
            int32_t n = -1;
            if (ParseIndexSuffix(line->Name(), n) && n >= 0 && n < strings->Count()) {
              line->SetTypeName("String");
            } else {
              // Spoil the suffix so that the purge removes the entry unless it has an Index.
              std::string spoilt = line->Name();
              ReplaceFirst(spoilt, "[", "/");
              ReplaceFirst(spoilt, "]", "/");
              line->SetName(spoilt);
            }
          }
          break;
        }
        // An item of a collection; several sub-entries may address items of one collection.
        auto* collection = dynamic_cast<TCollection*>(info.GetAsObject());
        int32_t n = -1;
        if (collection && ParseIndexSuffix(sub->Name(), n) && n >= 0 && n < collection->Count()) {
          target = collection->Items(n);
        }
      }
    }
  }
  for (int i = 0; i < count; ++i) {
    TMainEntry* sub = items_->Items(i);
    if (!sub->SubType().Contains(stNoValidate)) sub->SetTarget(targets[static_cast<size_t>(i)]);
  }
}

bool TMainEntry::ResolvesThroughLiveObjects() const {
  for (int i = 0; i < items_->Count(); ++i) {
    const TMainEntry* sub = items_->Items(i);
    if (!sub->SubType().Contains(stNoValidate) || sub->ResolvesThroughLiveObjects()) return true;
  }
  return false;
}

bool TMainEntry::ForEachProperty(const TPropertyVisitor& visitor, void* data) {
  return VisitProperties([&visitor, data](TMainEntry* entry, TPropertyEntry* property, bool& stop) {
    visitor(entry, property, data, stop);
  });
}

// ---------------------------------------------------------------------------------------------
// TComponentEntry

TComponentEntry::TComponentEntry(TCollection* collection)
    : TMainEntry(Expect<TComponentEntries>(collection)) {
  if (collection) controller_ = static_cast<TComponentEntries*>(collection)->Controller();
}

TComponentEntry::~TComponentEntry() {
  if (controller_) controller_->Reindex(this, ref_, nullptr);
}

void TComponentEntry::SetRef(TComponent* component) {
  if (component && controller_) controller_->FreeNotification(component);
  SetTarget(component);
}

void TComponentEntry::SetTarget(TObject* target) {
  TComponent* component = dynamic_cast<TComponent*>(target);
  if (controller_) controller_->Reindex(this, ref_, component);
  ref_ = component;
  TMainEntry::SetTarget(target);
}

void TComponentEntry::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TMainEntry*>(source);
  if (!other) {
    TMainEntry::Assign(source);
    return;
  }
  if (other == this) return;
  TComponent* component = nullptr;
  if (const auto* entry = dynamic_cast<const TComponentEntry*>(other)) {
    component = entry->Ref();
  } else {
    component = dynamic_cast<TComponent*>(other->Target());
  }
  // Checked before anything changes. An entry without a target (an unresolved reference) is
  // copied without one.
  if (other->Target() && !component) {
    throw Exception(ClassName() + ".Assign failed. Type of Ref is not TComponent");
  }
  TMainEntry::Assign(source);
  SetRef(component);
}

void TComponentEntry::Validate() {
  if (Target()) {
    SetName(ref_ ? ref_->Name() : "???");
    SetTypeName(Target()->ClassName());
  }
  TMainEntry::Validate();
}

// ---------------------------------------------------------------------------------------------
// TPropertyEntry

TPropertyEntry::TPropertyEntry(TCollection* collection)
    : TBaseEntry(Expect<TPropertyEntries>(collection)) {}

void TPropertyEntry::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TPropertyEntry*>(source);
  if (!other) {
    TBaseEntry::Assign(source);
    return;
  }
  SetPropInfo(other->propInfo_);
  SetName(other->Name());
  SetTypeName(other->TypeName());
  SetKind(other->kind_);
  SetIndex(other->index_);
}

void TPropertyEntry::SetKind(TTypeKind kind) {
  Change(kind_, kind);
}

void TPropertyEntry::SetIndex(int32_t index) {
  Change(index_, index);
}

void TPropertyEntry::SetPropInfo(const TPropInfo* propInfo) {
  Change(propInfo_, propInfo);
}

TPropertyEntries* TPropertyEntry::OwnerCollection() const {
  return ObjectCast<TPropertyEntries>(Collection());
}

TMainEntry* TPropertyEntry::OwnerEntry() const {
  const TPropertyEntries* props = OwnerCollection();
  return props ? props->OwnerEntry() : nullptr;
}

std::string TPropertyEntry::GetDescription(const std::string& prefix) const {
  std::string text = prefix + Name();
  if (index_ >= 0) text += "[" + std::to_string(index_) + "]";
  return text + ": " + TypeName();
}

bool TPropertyEntry::LineNumber(int32_t& line) const {
  if (index_ >= 0) {
    line = index_;
    return true;
  }
  return ParseIndexSuffix(Name(), line);
}

bool TPropertyEntry::LiveValueReachable() const {
  const TMainEntry* owner = OwnerEntry();
  if (!owner || !owner->Target()) return false;
  if (owner->SubType().Contains(stPubPropObject)) return propInfo_ != nullptr;
  int32_t line = 0;
  return owner->SubType().Contains(stTStringsObject) &&
         dynamic_cast<TStrings*>(owner->Target()) != nullptr && LineNumber(line);
}

Variant TPropertyEntry::GetLiveValue() const {
  if (!LiveValueReachable()) return Variant::Null();
  TMainEntry* owner = OwnerEntry();
  if (owner->SubType().Contains(stPubPropObject)) {
    TClassInfo info(owner->Target(), propInfo_);
    return info.GetValue();
  }
  int32_t line = 0;
  LineNumber(line);
  return Variant(static_cast<TStrings*>(owner->Target())->Get(line));
}

void TPropertyEntry::SetLiveValue(const Variant& value) {
  if (!LiveValueReachable()) return;
  TMainEntry* owner = OwnerEntry();
  if (owner->SubType().Contains(stPubPropObject)) {
    TClassInfo info(owner->Target(), propInfo_);
    info.SetValue(value);
    return;
  }
  int32_t line = 0;
  LineNumber(line);
  static_cast<TStrings*>(owner->Target())->Put(line, value.ToString());
}

}  // namespace wdx
