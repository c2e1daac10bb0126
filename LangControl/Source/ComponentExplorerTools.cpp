#include "LangControl/Source/ComponentExplorerTools.h"

#include <limits>
#include <typeinfo>
#include <unordered_map>

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

// The collection an item is created in, checked to be of the class the item needs before the
// item joins it.
template <class C>
TCollection* Expect(TCollection* collection) {
  if (collection && !ObjectCast<C>(collection)) throw EInvalidCast(msg::kInvalidCast);
  return collection;
}

void CheckPropertyClass(const TMetaClass* propertyClass) {
  if (propertyClass && !propertyClass->InheritsFrom(TPropertyEntry::CachedClass())) {
    throw EInvalidCast(msg::kInvalidCast);
  }
}

// The type names of the entries, each kept once. The names are class and property type names,
// so they are few; they stay for the life of the process. All on the user-interface thread.
struct TTypeNames {
  TTypeNames() { names.push_back(&numbers.try_emplace("", 0).first->first); }
  std::unordered_map<std::string, uint32_t> numbers;
  std::vector<const std::string*> names;
};

TTypeNames& TypeNames() {
  static auto* names = new TTypeNames();
  return *names;
}

// The names of the property entries, each kept once for as long as an entry has it. Names
// come from form streams, so a name no entry has any more goes. The empty name, which every
// entry starts with, is one string of its own and never counted. All on the user-interface
// thread; never destroyed, since entries may go during static destruction.
class TSharedNames {
 public:
  static const std::string& Empty() {
    static const std::string* const empty = new std::string();
    return *empty;
  }
  const std::string& Take(const std::string& name) {
    if (name.empty()) return Empty();
    auto found = uses_.try_emplace(name, 0).first;
    ++found->second;
    return found->first;
  }
  void Drop(const std::string& name) {
    if (name.empty()) return;
    const auto found = uses_.find(name);
    if (found != uses_.end() && --found->second == 0) uses_.erase(found);
  }

 private:
  // Hashed eight bytes at a time rather than by std::hash.
  struct THash {
    size_t operator()(const std::string& name) const { return CaseFoldedHash(name); }
  };
  std::unordered_map<std::string, size_t, THash> uses_;
};

TSharedNames& SharedNames() {
  static auto* names = new TSharedNames();
  return *names;
}

const TMetaClass& PropertyItemClass(const TMetaClass* propertyClass) {
  CheckPropertyClass(propertyClass);
  return propertyClass ? *propertyClass : TPropertyEntry::StaticClass();
}

}  // namespace

uint32_t entry_tree::TypeNameNumber(const std::string& name) {
  TTypeNames& names = TypeNames();
  // An entry keeps 24 bits of the number.
  constexpr size_t kNumbers = size_t{1} << 24;
  const auto found = names.numbers.find(name);
  if (found != names.numbers.end()) return found->second;
  if (names.names.size() >= kNumbers) throw std::bad_alloc();
  const auto added = names.numbers.emplace(name, static_cast<uint32_t>(names.names.size())).first;
  names.names.push_back(&added->first);
  return added->second;
}

const std::string& entry_tree::TypeNameOf(uint32_t number) {
  return *TypeNames().names[number];
}

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
  Assigned(source);
}

void TBaseEntries::Assigned(const TPersistent*) {}

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
  auto* entry = ObjectCast<TMainEntry>(item);
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
  return ObjectCast<TMainEntry>(GetOwner());
}

int TMainEntries::IndexOfName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(Items(i)->Name(), name)) return i;
  }
  return -1;
}

void TMainEntries::Assign(const TPersistent* source) {
  if (const auto* other = ObjectCast<TMainEntries>(source)) {
    if (adoptPropertyClass_ && other != this) propertyClass_ = other->propertyClass_;
  }
  TBaseEntries::Assign(source);
}

// ---------------------------------------------------------------------------------------------
// TPropertyEntries

TPropertyEntries::TPropertyEntries(TMainEntry* ownerEntry, const TMetaClass* propertyClass)
    : TBaseEntries(PropertyItemClass(propertyClass)) {
  SetOwner(ownerEntry);
}

TMainEntry* TPropertyEntries::OwnerEntry() const {
  // The owner is nearly always an entry of one of these two classes.
  TPersistent* owner = GetOwner();
  if (owner &&
      (typeid(*owner) == typeid(TComponentEntry) || typeid(*owner) == typeid(TMainEntry))) {
    return static_cast<TMainEntry*>(owner);
  }
  return ObjectCast<TMainEntry>(owner);
}

TPropertyEntry* TPropertyEntries::Items(int index) const {
  return static_cast<TPropertyEntry*>(TCollection::Items(index));
}

TPropertyEntry* TPropertyEntries::Add() {
  TCollectionItem* item = TCollection::Add();
  auto* entry = ObjectCast<TPropertyEntry>(item);
  if (!entry) {
    delete item;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return entry;
}

// ---------------------------------------------------------------------------------------------
// TInternalController

TInternalController::TInternalController(TComponent* owner) : TComponent(owner) {}

TInternalController::~TInternalController() = default;

TComponentEntry* TInternalController::FindEntry(const TComponent* component) const {
  return index_.Find(component, entries_);
}

void TInternalController::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || !component || !entries_) return;
  // Every entry of the list that targets the component goes: one that stayed would point at
  // a destroyed object.
  while (TComponentEntry* entry = FindEntry(component)) delete entry;
}

void TInternalController::Renaming(TComponent* component) {
  TComponent::Renaming(component);
  index_.ForEach(component, entries_, [](TComponentEntry* entry) {
    if (entry->NameIsRefs()) entry->SetOwnName(entry->Name());
  });
}

void TInternalController::Reindex(TComponentEntry* entry, const TComponent* from,
                                  const TComponent* to) {
  index_.Move(entry, from, to, entries_ ? static_cast<size_t>(entries_->Count()) : 0);
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
  controller_.reset();
}

TComponentEntry* TComponentEntries::Items(int index) const {
  return static_cast<TComponentEntry*>(TCollection::Items(index));
}

TComponentEntry* TComponentEntries::Add() {
  TMainEntry* entry = TMainEntries::Add();
  auto* component = ObjectCast<TComponentEntry>(entry);
  if (!component) {
    delete entry;
    throw EInvalidCast(msg::kInvalidCast);
  }
  return component;
}

void TComponentEntries::Assigned(const TPersistent* source) {
  if (OnAssigned) OnAssigned(this, source);
}

void TComponentEntries::ItemLeaving(TCollectionItem* item) {
  if (auto* entry = ObjectCast<TComponentEntry>(item)) {
    controller_->Reindex(entry, entry->Ref(), nullptr);
  }
}

TComponentEntry* TComponentEntries::FindByTarget(const TComponent* component) const {
  return controller_->FindEntry(component);
}

// ---------------------------------------------------------------------------------------------
// TBaseEntry

TBaseEntry::TBaseEntry(TCollection* collection) : TCollectionItem(collection) {}

void TBaseEntry::SetTypeName(const std::string& typeName) {
  if (TypeName() == typeName) return;
  SetTypeNameNumber(entry_tree::TypeNameNumber(typeName));
}

void TBaseEntry::SetTypeNameNumber(uint32_t number) {
  if (typeName_ == number) return;
  typeName_ = number;
  ++entry_tree::changes;
}

std::string TBaseEntry::GetDisplayName() const {
  return TypeName() + ":" + Name();
}

// ---------------------------------------------------------------------------------------------
// TMainEntry

const std::string& TMainEntry::OwnName() const {
  static const std::string* const none = new std::string();
  return name_ ? *name_ : *none;
}

void TMainEntry::SetOwnName(const std::string& name) {
  SetNameIsRefs(false);
  if (name.empty()) {
    name_.reset();
  } else if (name_) {
    *name_ = name;
  } else {
    name_ = std::make_unique<std::string>(name);
  }
}

const std::string& TMainEntry::Name() const {
  return OwnName();
}

void TMainEntry::SetName(const std::string& name) {
  if (OwnName() == name) return;
  SetOwnName(name);
  ++entry_tree::changes;
}

TMainEntry::TMainEntry(TCollection* collection) : TBaseEntry(Expect<TMainEntries>(collection)) {
  const auto* holder = static_cast<TMainEntries*>(collection);
  props_ = std::make_unique<TPropertyEntries>(this, holder ? holder->PropertyClass() : nullptr);
  SetFlag(kItemsAdoptPropertyClass, holder ? holder->AdoptPropertyClass() : true);
}

TMainEntries* TMainEntry::Items() const {
  if (!items_) {
    // As the constructor would have made it: the property class of the entry's own property
    // entries, and the adoption rule of the list that held the entry then.
    const TMetaClass* propertyClass = &props_->ItemClass();
    if (propertyClass == &TPropertyEntry::StaticClass()) propertyClass = nullptr;
    auto* self = const_cast<TMainEntry*>(this);
    items_ = std::make_unique<TMainEntries>(self, propertyClass);
    items_->SetAdoptPropertyClass(Flag(kItemsAdoptPropertyClass));
  }
  return items_.get();
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
  Items()->Assign(items);
}

void TMainEntry::SetProps(TPropertyEntries* props) {
  props_->Assign(props);
}

void TMainEntry::Assign(const TPersistent* source) {
  const auto* other = ObjectCast<TMainEntry>(source);
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
  Items()->Assign(other->Items());
}

TMainEntries* TMainEntry::OwnerCollection() const {
  return ObjectCast<TMainEntries>(Collection());
}

// ---------------------------------------------------------------------------------------------
// TComponentEntry

TComponentEntry::TComponentEntry(TCollection* collection)
    : TMainEntry(Expect<TComponentEntries>(collection)) {}

TComponentEntry::~TComponentEntry() {
  if (TInternalController* controller = Controller()) controller->Reindex(this, Ref(), nullptr);
}

void TComponentEntry::SetRef(TComponent* component) {
  TInternalController* controller = Controller();
  if (component && controller) controller->FreeNotification(component);
  if (component != Target()) Retarget(component, component, controller);
  SetRefWatched(component && controller);
}

const std::string& TComponentEntry::Name() const {
  return NameIsRefs() ? Ref()->Name() : OwnName();
}

void TComponentEntry::SetName(const std::string& name) {
  const bool changed = Name() != name;
  TComponent* component = Ref();
  // Only a component whose removal notice frees the entry is read for the name: its
  // watcher has the entry in its index, and the entry asked it for the notice.
  TInternalController* controller = Controller();
  if (component && component->Name() == name && controller && RefWatched()) {
    SetOwnName("");
    SetNameIsRefs(true);
  } else {
    SetOwnName(name);
  }
  if (changed) ++entry_tree::changes;
}

void TComponentEntry::TakeRefName() {
  const bool reading = NameIsRefs();
  const bool changed = !reading && OwnName() != Ref()->Name();
  if (Controller() && RefWatched()) {
    if (!reading) {
      SetOwnName("");
      SetNameIsRefs(true);
    }
  } else {
    SetOwnName(Ref()->Name());
  }
  if (changed) ++entry_tree::changes;
}

void TComponentEntry::SetTarget(TObject* target) {
  if (target == Target()) return;
  Retarget(target, ObjectCast<TComponent>(target), Controller());
}

void TComponentEntry::Retarget(TObject* target, TComponent* component,
                               TInternalController* controller) {
  if (NameIsRefs()) SetOwnName(Name());
  SetRefWatched(false);
  if (controller) controller->Reindex(this, Ref(), component);
  SetTargetIsComponent(component != nullptr);
  TMainEntry::SetTarget(target);
}

void TComponentEntry::SetCollection(TCollection* collection) {
  if (collection == Collection()) return;
  if (NameIsRefs()) SetOwnName(Name());
  TComponent* component = Ref();
  if (TInternalController* controller = Controller()) controller->Reindex(this, component, nullptr);
  TMainEntry::SetCollection(collection);
  TInternalController* controller = Controller();
  if (!controller || !component) return;
  controller->FreeNotification(component);
  controller->Reindex(this, nullptr, component);
}

void TComponentEntry::Assign(const TPersistent* source) {
  const auto* other = ObjectCast<TMainEntry>(source);
  if (!other) {
    TMainEntry::Assign(source);
    return;
  }
  if (other == this) return;
  TComponent* component = nullptr;
  if (const auto* entry = ObjectCast<TComponentEntry>(other)) {
    component = entry->Ref();
  } else {
    component = ObjectCast<TComponent>(other->Target());
  }
  // Checked before anything changes. An entry without a target (an unresolved reference) is
  // copied without one.
  if (other->Target() && !component) {
    throw Exception(ClassName() + ".Assign failed. Type of Ref is not TComponent");
  }
  TMainEntry::Assign(source);
  SetRef(component);
}

// ---------------------------------------------------------------------------------------------
// TPropertyEntry

TPropertyEntry::TPropertyEntry(TCollection* collection)
    : TBaseEntry(Expect<TPropertyEntries>(collection)), name_(&TSharedNames::Empty()) {}

TPropertyEntry::~TPropertyEntry() {
  SharedNames().Drop(*name_);
}

void TPropertyEntry::SetName(const std::string& name) {
  if (*name_ == name) return;
  const std::string& taken = SharedNames().Take(name);
  SharedNames().Drop(*name_);
  name_ = &taken;
  ++entry_tree::changes;
}

void TPropertyEntry::Assign(const TPersistent* source) {
  const auto* other = ObjectCast<TPropertyEntry>(source);
  if (!other) {
    TBaseEntry::Assign(source);
    return;
  }
  SetPropInfo(other->propInfo_);
  SetName(other->Name());
  SetTypeName(other->TypeName());
  SetKind(other->Kind());
  SetIndex(other->index_);
}

void TPropertyEntry::SetKind(TTypeKind kind) {
  if (Kind() == kind) return;
  SetSmall(kind);
  ++entry_tree::changes;
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
         ObjectCast<TStrings>(owner->Target()) != nullptr && LineNumber(line);
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
