#include "LangControl/Source/PropertyIndex.h"

#include <utility>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropInfo.h"

namespace wdx {

size_t TPropertyKeyHash::operator()(const TPropertyKey& key) const {
  return static_cast<size_t>(CaseFoldedHash(key.name) ^ static_cast<uint32_t>(key.kind));
}

bool TPropertyKeyEqual::operator()(const TPropertyKey& a, const TPropertyKey& b) const {
  return a.kind == b.kind && SameText(a.name, b.name);
}

const TClassIndex& ClassIndexOf(const TMetaClass& cls) {
  // All access is on the user-interface thread.
  static std::unordered_map<const TMetaClass*, TClassIndex> indexes;
  // A component entry and its property entries ask for the same class one after the other.
  // The map's elements stay where they are as it grows.
  static const TMetaClass* lastClass = nullptr;
  static const TClassIndex* lastIndex = nullptr;
  if (&cls == lastClass) return *lastIndex;
  const auto found = indexes.find(&cls);
  if (found != indexes.end()) {
    lastClass = &cls;
    lastIndex = &found->second;
    return found->second;
  }
  TClassIndex index{entry_tree::TypeNameNumber(cls.Name()), {}};
  for (const TPropInfo* prop : cls.SortedProperties()) {
    const TTypeInfo* type = prop ? prop->PropType() : nullptr;
    if (!type) continue;
    index.properties.insert_or_assign(
        TPropertyKey{prop->Name, type->Kind},
        TResolvedProperty{prop, type, entry_tree::TypeNameNumber(type->Name)});
  }
  lastIndex = &indexes.emplace(&cls, std::move(index)).first->second;
  lastClass = &cls;
  return *lastIndex;
}

}  // namespace wdx
