// The published properties of a class as the entry tree resolves its property entries: by the
// upper-case property name and the property's type kind. Built once per class on first use and
// kept, since classes live as long as the program.
#pragma once

#include <string>
#include <unordered_map>

namespace wdx {

class TMetaClass;
struct TPropInfo;
struct TTypeInfo;

struct TResolvedProperty {
  const TPropInfo* prop;
  const TTypeInfo* type;
};

// Keyed by the upper-case name followed by the kind as one character.
using TPropertyIndex = std::unordered_map<std::string, TResolvedProperty>;

// The index of `cls`, in the order of the class's sorted property list: a later property with
// the same key replaces an earlier one, as a walk over the list that records every match would
// leave it. Properties without type information are not in it.
const TPropertyIndex& PublishedPropertyIndex(const TMetaClass& cls);

// The key of a property named `name` of kind `kind`.
std::string PropertyKey(const std::string& name, int kind);

}  // namespace wdx
