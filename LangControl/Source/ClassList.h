// Lists of objects with an ownership flag: an owning list releases every object that leaves it
// and, when destroyed, all that remain.
#pragma once

#include <vector>

namespace wdx {

class TObject;

class TCustomClassList {
 public:
  TCustomClassList() = default;
  explicit TCustomClassList(bool ownsObjects) : ownsObjects_(ownsObjects) {}
  TCustomClassList(const TCustomClassList&) = delete;
  TCustomClassList& operator=(const TCustomClassList&) = delete;
  virtual ~TCustomClassList();

  // Clears, then adds every object of `other` in its order.
  virtual void Assign(const TCustomClassList& other);
  virtual int Add(TObject* object);
  virtual void Insert(int index, TObject* object);
  virtual int IndexOf(const TObject* object) const;
  // Removes the first equal reference (releasing it when owning); its former index, or -1.
  virtual int Remove(TObject* object);
  virtual void Delete(int index);
  virtual void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0 to Count - 1.
  TObject* Items(int index) const;
  bool OwnsObjects() const { return ownsObjects_; }

 private:
  void CheckIndex(int index, int limit) const;
  std::vector<TObject*> items_;
  bool ownsObjects_ = false;
};

// The base of lists of one concrete item type.
class TClassList : public TCustomClassList {
 public:
  using TCustomClassList::TCustomClassList;
};

}  // namespace wdx
