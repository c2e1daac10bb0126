#include "LangControl/Source/PropertyIndex.h"

#include <cstring>
#include <utility>

#include "LangControl/Source/ComponentExplorerTools.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"
#include "framework/rtti/PropInfo.h"

namespace wdx {

size_t TPropertyKeyHash::operator()(const TPropertyKey& key) const {
  // The length, the kind and the first and last eight bytes of the name (four of one shorter
  // than eight, all of one shorter than four), each byte with its 0x20 bit set, so that ASCII
  // letters hash alike in either case. Names of one class that agree in all of these only share a
  // bucket.
  constexpr uint64_t kFold = 0x2020202020202020ull;
  constexpr uint64_t kMix = 0x9E3779B97F4A7C15ull;
  const std::string_view name = key.name;
  const size_t size = name.size();
  uint64_t head = 0;
  uint64_t tail = 0;
  if (size >= 8) {
    std::memcpy(&head, name.data(), 8);
    std::memcpy(&tail, name.data() + size - 8, 8);
  } else if (size >= 4) {
    uint32_t first = 0;
    uint32_t last = 0;
    std::memcpy(&first, name.data(), 4);
    std::memcpy(&last, name.data() + size - 4, 4);
    head = first | (uint64_t{last} << 32);
  } else {
    for (size_t i = 0; i < size; ++i) head |= uint64_t{static_cast<uint8_t>(name[i])} << (8 * i);
  }
  uint64_t hash = ((head | kFold) * kMix) ^ (static_cast<uint64_t>(size) << 32) ^
                  static_cast<uint64_t>(static_cast<uint32_t>(key.kind));
  hash = (hash ^ (tail | kFold)) * kMix;
  return static_cast<size_t>(hash ^ (hash >> 29));
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
