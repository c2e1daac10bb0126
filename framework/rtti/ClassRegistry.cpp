#include "framework/rtti/ClassRegistry.h"

#include <unordered_map>

#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"

namespace wdx {

namespace {

// Class names compared and hashed ignoring ASCII case, so that a name read from a stream is
// looked up in place, without an upper-case copy.
struct FoldedNameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const { return CaseFoldedHash(name); }
};
struct FoldedNameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

using Registry =
    std::unordered_map<std::string, const TMetaClass*, FoldedNameHash, FoldedNameEqual>;

Registry& TheRegistry() {
  static auto* registry = new Registry();
  return *registry;
}

}  // namespace

void RegisterClass(const TMetaClass& cls) {
  TheRegistry().insert_or_assign(cls.Name(), &cls);
}

const TMetaClass* FindRegisteredClass(std::string_view name) {
  const auto& registry = TheRegistry();
  const auto it = registry.find(name);
  return it == registry.end() ? nullptr : it->second;
}

std::vector<const TMetaClass*> RegisteredClasses() {
  std::vector<const TMetaClass*> classes;
  for (const auto& [name, cls] : TheRegistry()) classes.push_back(cls);
  return classes;
}

}  // namespace wdx
