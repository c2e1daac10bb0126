// An ordered list of methods (routine and bound object), duplicates allowed.
#pragma once

#include <vector>

#include "framework/rtti/Method.h"

namespace wdx {

class TMethodList {
 public:
  TMethodList() = default;
  TMethodList(const TMethodList&) = delete;
  TMethodList& operator=(const TMethodList&) = delete;
  ~TMethodList() { Clear(); }

  int Count() const { return static_cast<int>(methods_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0 to Count - 1.
  TMethod Get(int index) const;
  int Add(const TMethod& method);
  // Index of the first equal method, or -1.
  int IndexOf(const TMethod& method) const;
  // Removes the first equal method and returns its former index, or -1.
  int Remove(const TMethod& method);
  void Clear() { methods_.clear(); }

 private:
  std::vector<TMethod> methods_;
};

}  // namespace wdx
