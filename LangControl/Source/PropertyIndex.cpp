#include "LangControl/Source/PropertyIndex.h"

#include <utility>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropInfo.h"

namespace wdx {

size_t TPropertyKeyHash::operator()(const TPropertyKey& key) const {
  // FNV-1a over the upper-case name and the kind.
  uint64_t hash = 14695981039346656037ull;
  for (const char c : key.name)
    hash = (hash ^ static_cast<uint8_t>(AsciiUpper(c))) * 1099511628211ull;
  return static_cast<size_t>((hash ^ static_cast<uint64_t>(key.kind)) * 1099511628211ull);
}

bool TPropertyKeyEqual::operator()(const TPropertyKey& a, const TPropertyKey& b) const {
  return a.kind == b.kind && SameText(a.name, b.name);
}

const TClassIndex& ClassIndexOf(const TMetaClass& cls) {
  // All access is on the user-interface thread.
  static std::unordered_map<const TMetaClass*, TClassIndex> indexes;
  const auto found = indexes.find(&cls);
  if (found != indexes.end()) return found->second;
  TClassIndex index{entry_tree::TypeNameNumber(cls.Name()), {}};
  for (const TPropInfo* prop : cls.SortedProperties()) {
    const TTypeInfo* type = prop ? prop->PropType() : nullptr;
    if (!type) continue;
    index.properties.insert_or_assign(
        TPropertyKey{prop->Name, type->Kind},
        TResolvedProperty{prop, type, entry_tree::TypeNameNumber(type->Name)});
  }
  return indexes.emplace(&cls, std::move(index)).first->second;
}

}  // namespace wdx
