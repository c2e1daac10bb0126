#include "LangControl/Source/MethodList.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

namespace wdx {

TMethod TMethodList::Get(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(msg::kListIndexError, index));
  return methods_[static_cast<size_t>(index)];
}

int TMethodList::Add(const TMethod& method) {
  methods_.push_back(method);
  return Count() - 1;
}

int TMethodList::IndexOf(const TMethod& method) const {
  for (size_t i = 0; i < methods_.size(); ++i) {
    if (methods_[i] == method) return static_cast<int>(i);
  }
  return -1;
}

int TMethodList::Remove(const TMethod& method) {
  const int index = IndexOf(method);
  if (index >= 0) methods_.erase(methods_.begin() + index);
  return index;
}

}  // namespace wdx
