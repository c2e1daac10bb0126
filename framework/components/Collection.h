// Collections: ordered lists of owned items of one item class, which form streams read and
// write as one value.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/components/Persistent.h"
#include "framework/rtti/StoreVector.h"

namespace wdx {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  WDX_CLASS(TCollectionItem)
  using CreateArg = TCollection*;

  // Adds the new item to `collection` (when given).
  explicit TCollectionItem(TCollection* collection);
  // Removes the item from its collection.
  ~TCollectionItem() override;

  TCollection* Collection() const { return collection_; }
  // Moves the item to `collection` (nullptr: to none). Virtual, so that an item that keeps
  // something about its collection can follow it; constructors and destructors do not.
  virtual void SetCollection(TCollection* collection);
  int Index() const;
  int ID() const { return id_; }
  virtual std::string GetDisplayName() const { return ClassName(); }
  TPersistent* GetOwner() const override;

 private:
  friend class TCollection;
  // In this order, so that the ID fills the room the object's handle leaves before the next
  // pointer: items are many, and each is 8 bytes smaller for it.
  int id_ = 0;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
 public:
  WDX_CLASS(TCollection)

  explicit TCollection(const TMetaClass& itemClass);
  ~TCollection() override;

  const TMetaClass& ItemClass() const { return *itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0 to Count - 1.
  TCollectionItem* Items(int index) const;
  // A new item of the item class at the end (Add) or at `index` (Insert).
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  // Frees every item for which `doomed` returns true, keeping the others in their order. The
  // list is compacted in one pass, so removing many items costs one walk rather than one
  // search and erase per item. The doomed items are freed from the last to the first.
  void DeleteWhere(const std::function<bool(TCollectionItem*)>& doomed);
  void Clear();
  // Clears, then adds one item per item of `source` (a collection) and assigns it.
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }
  void SetOwner(TPersistent* owner) { owner_ = owner; }

 protected:
  // Runs after items have joined, left or moved within the collection.
  virtual void ItemsChanged() {}
  // Runs for each item that DeleteWhere frees, while it still belongs to the collection: its
  // destructor finds it in none.
  virtual void ItemLeaving(TCollectionItem* item) { (void)item; }

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  int nextId_ = 0;  // first: it fills the room the object's handle leaves
  const TMetaClass* itemClass_;
  TStoreVector<TCollectionItem*> items_;
  TPersistent* owner_ = nullptr;
};

}  // namespace wdx
