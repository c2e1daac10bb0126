// What the entry tree looks up in a class as it validates its entries: the number of the class
// name among the entries' type names, and the published properties as property entries are
// resolved against them, by name (ignoring ASCII case) and type kind. Built once per class on
// first use and kept, since classes live as long as the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace wdx {

class TMetaClass;
struct TPropInfo;
struct TTypeInfo;

struct TResolvedProperty {
  const TPropInfo* prop;
  const TTypeInfo* type;
  uint32_t typeName;  // the type's name as an entry keeps it (entry_tree::TypeNameNumber)
};

// A name, compared ignoring ASCII case, and a kind: a property's name and type kind here; other
// tables of names that ignore case use it with kind 0.
struct TPropertyKey {
  std::string_view name;
  int kind;
};
struct TPropertyKeyHash {
  size_t operator()(const TPropertyKey& key) const;
};
struct TPropertyKeyEqual {
  bool operator()(const TPropertyKey& a, const TPropertyKey& b) const;
};

// The keys' names are the properties' own.
using TPropertyIndex =
    std::unordered_map<TPropertyKey, TResolvedProperty, TPropertyKeyHash, TPropertyKeyEqual>;

struct TClassIndex {
  uint32_t name;  // the class name as an entry keeps it (entry_tree::TypeNameNumber)
  // In the order of the class's sorted property list: a later property with the same key
  // replaces an earlier one, as a walk over the list that records every match would leave it.
  // Properties without type information are not in it.
  TPropertyIndex properties;
};

const TClassIndex& ClassIndexOf(const TMetaClass& cls);

}  // namespace wdx
