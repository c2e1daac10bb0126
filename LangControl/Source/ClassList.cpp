#include "LangControl/Source/ClassList.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtti/Object.h"

namespace wdx {

TCustomClassList::~TCustomClassList() {
  if (ownsObjects_) TCustomClassList::Clear();
}

void TCustomClassList::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) throw EListError(Format(msg::kListIndexError, index));
}

void TCustomClassList::Assign(const TCustomClassList& other) {
  if (&other == this) return;
  Clear();
  for (TObject* object : other.items_) Add(object);
}

int TCustomClassList::Add(TObject* object) {
  items_.push_back(object);
  return Count() - 1;
}

void TCustomClassList::Insert(int index, TObject* object) {
  CheckIndex(index, Count() + 1);
  items_.insert(items_.begin() + index, object);
}

int TCustomClassList::IndexOf(const TObject* object) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] == object) return static_cast<int>(i);
  }
  return -1;
}

int TCustomClassList::Remove(TObject* object) {
  const int index = IndexOf(object);
  if (index >= 0) Delete(index);
  return index;
}

void TCustomClassList::Delete(int index) {
  CheckIndex(index, Count());
  TObject* object = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  if (ownsObjects_) delete object;
}

void TCustomClassList::Clear() {
  std::vector<TObject*> items = std::move(items_);
  items_.clear();
  if (ownsObjects_) {
    for (size_t i = items.size(); i-- > 0;) delete items[i];
  }
}

TObject* TCustomClassList::Items(int index) const {
  CheckIndex(index, Count());
  return items_[static_cast<size_t>(index)];
}

}  // namespace wdx
