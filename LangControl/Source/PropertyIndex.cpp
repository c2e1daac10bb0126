#include "LangControl/Source/PropertyIndex.h"

#include <utility>

#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropInfo.h"

namespace wdx {

std::string PropertyKey(const std::string& name, int kind) {
  std::string key = AsciiUpper(name);
  key.push_back(static_cast<char>(kind));
  return key;
}

const TPropertyIndex& PublishedPropertyIndex(const TMetaClass& cls) {
  // All access is on the user-interface thread.
  static std::unordered_map<const TMetaClass*, TPropertyIndex> indexes;
  const auto found = indexes.find(&cls);
  if (found != indexes.end()) return found->second;
  TPropertyIndex index;
  for (const TPropInfo* prop : cls.SortedProperties()) {
    const TTypeInfo* type = prop ? prop->PropType() : nullptr;
    if (!type) continue;
    index.insert_or_assign(PropertyKey(prop->Name, type->Kind), TResolvedProperty{prop, type});
  }
  return indexes.emplace(&cls, std::move(index)).first->second;
}

}  // namespace wdx
