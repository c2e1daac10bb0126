#include "framework/rtti/ClassRegistry.h"

#include <unordered_map>

#include "framework/rtl/StrUtils.h"
#include "framework/rtti/MetaClass.h"

namespace wdx {

namespace {

std::unordered_map<std::string, const TMetaClass*>& Registry() {
  static auto* registry = new std::unordered_map<std::string, const TMetaClass*>();
  return *registry;
}

}  // namespace

void RegisterClass(const TMetaClass& cls) {
  Registry()[AsciiUpper(cls.Name())] = &cls;
}

const TMetaClass* FindRegisteredClass(const std::string& name) {
  const auto& registry = Registry();
  const auto it = registry.find(AsciiUpper(name));
  return it == registry.end() ? nullptr : it->second;
}

std::vector<const TMetaClass*> RegisteredClasses() {
  std::vector<const TMetaClass*> classes;
  for (const auto& [name, cls] : Registry()) classes.push_back(cls);
  return classes;
}

}  // namespace wdx
