#include "framework/components/Collection.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtti/Published.h"

namespace wdx {

const TMetaClass& TCollectionItem::StaticClass() {
  static const TMetaClass meta("TCollectionItem", &TPersistent::StaticClass(),
                               FactoryOf<TCollectionItem>(), {});
  return meta;
}

const TMetaClass& TCollection::StaticClass() {
  static const TMetaClass meta("TCollection", &TPersistent::StaticClass(), nullptr, {});
  return meta;
}

TCollectionItem::TCollectionItem(TCollection* collection) {
  SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
  SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
  if (collection == collection_) return;
  if (collection_) collection_->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  for (size_t i = items.size(); i-- > 0;) {
    if (items[i] == this) return static_cast<int>(i);
  }
  return -1;
}

TPersistent* TCollectionItem::GetOwner() const {
  return collection_;
}

TCollection::TCollection(const TMetaClass& itemClass) : itemClass_(&itemClass) {}

TCollection::~TCollection() {
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(msg::kListIndexError, index));
  return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TObject* created = itemClass_->Create(this);
  auto* item = ObjectCast<TCollectionItem>(created);
  if (!item) {
    delete created;
    throw EInvalidCast(msg::kInvalidCast);
  }
  // Item constructors normally add themselves; a constructor that did not is added here.
  if (item->collection_ != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) throw EListError(Format(msg::kListIndexError, index));
  TCollectionItem* item = Add();
  items_.pop_back();
  items_.insert(static_cast<size_t>(index), item);
  ItemsChanged();
  return item;
}

void TCollection::Delete(int index) {
  delete Items(index);
}

void TCollection::DeleteWhere(const std::function<bool(TCollectionItem*)>& doomed) {
  // Ask first, so that a predicate that raises leaves the list as it was.
  std::vector<char> marks(items_.size(), 0);
  bool any = false;
  for (size_t i = 0; i < items_.size(); ++i) {
    marks[i] = doomed(items_[i]) ? 1 : 0;
    any = any || marks[i] != 0;
  }
  if (!any) return;
  std::vector<TCollectionItem*> freed;
  size_t kept = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (marks[i]) {
      // Detached before it is freed, so that its destructor does not search the list.
      ItemLeaving(items_[i]);
      items_[i]->collection_ = nullptr;
      freed.push_back(items_[i]);
    } else {
      items_[kept++] = items_[i];
    }
  }
  items_.truncate(kept);
  ItemsChanged();
  for (size_t i = freed.size(); i-- > 0;) delete freed[i];
}

void TCollection::Clear() {
  while (!items_.empty()) delete items_.back();
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = ObjectCast<TCollection>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  Clear();
  for (const TCollectionItem* item : other->items_) Add()->Assign(item);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextId_++;
  ItemsChanged();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  for (size_t i = items_.size(); i-- > 0;) {
    if (items_[i] == item) {
      items_.erase(i);
      break;
    }
  }
  item->collection_ = nullptr;
  ItemsChanged();
}

}  // namespace wdx
