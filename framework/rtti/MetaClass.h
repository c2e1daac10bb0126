// The metaclass of a class with run-time type information: its name, parent, published
// properties (declaration order, ancestors first; a re-declared property keeps its slot),
// published methods and the virtual constructor that the form reader calls.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/rtl/StrUtils.h"
#include "framework/rtti/Method.h"
#include "framework/rtti/Object.h"
#include "framework/rtti/PropInfo.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

class TObject;

class TMetaClass {
 public:
  // Creates an instance; the argument is the owner (components) or the collection (items).
  using Factory = std::function<TObject*(TObject* arg)>;

  TMetaClass(std::string name, const TMetaClass* parent, Factory factory,
             std::vector<TPropInfo> properties, std::vector<TMethodInfo> methods = {});
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  const std::string& Name() const { return name_; }
  const TMetaClass* Parent() const { return parent_; }
  const TTypeInfo& TypeInfo() const { return typeInfo_; }
  bool InheritsFrom(const TMetaClass& other) const {
    for (const TMetaClass* c = this; c; c = c->parent_) {
      if (c == &other) return true;
    }
    return false;
  }
  bool CanCreate() const { return static_cast<bool>(factory_); }
  TObject* Create(TObject* arg) const;

  // All published properties of the class and its ancestors, each once, by slot.
  const std::vector<const TPropInfo*>& Properties() const { return properties_; }
  // The same properties sorted by name: characters compared with bit 0x20 cleared, and on a
  // tie of the common part the shorter name first.
  const std::vector<const TPropInfo*>& SortedProperties() const { return sorted_; }
  // The ordinal properties this class itself declares with a default, which its objects start
  // with.
  const std::vector<const TPropInfo*>& OwnDefaults() const { return ownDefaults_; }
  // The property named `name` (ignoring ASCII case), or nullptr.
  const TPropInfo* FindProperty(std::string_view name) const;

  // Published methods of the class and its ancestors.
  const TMethodInfo* FindMethod(const std::string& name) const;
  const TMethodInfo* FindMethod(const TMethodInfo* code) const;

 private:
  std::string name_;
  const TMetaClass* parent_;
  Factory factory_;
  TTypeInfo typeInfo_;
  std::vector<TPropInfo> ownProperties_;
  std::vector<TMethodInfo> methods_;
  std::vector<const TPropInfo*> properties_;
  std::vector<const TPropInfo*> sorted_;
  std::vector<const TPropInfo*> ownDefaults_;
  // Hash table of properties_ by name, ignoring case; each slot keeps its name's hash, so that a
  // search compares names only where the hashes agree.
  struct NameSlot {
    const TPropInfo* prop = nullptr;
    size_t hash = 0;
  };
  std::vector<NameSlot> byName_;
  size_t nameMask_ = 0;  // byName_.size() - 1
};

// A hash of `name` that names equal but for the case of ASCII letters share: its length and
// its first, middle and last bytes taken with bit 0x20 set. Names of one class's properties
// seldom agree in all of these, and the table's probing sorts out those that do.
inline size_t FoldedNameHash(std::string_view name) {
  if (name.empty()) return 0;
  const auto folded = [name](size_t i) { return static_cast<unsigned char>(name[i]) | 0x20u; };
  uint32_t hash = static_cast<uint32_t>(name.size());
  hash = hash * 131u + folded(0);
  hash = hash * 131u + folded(name.size() / 2);
  hash = hash * 131u + folded(name.size() - 1);
  return (hash * 2654435761u) >> 8;
}

// Inline: the form reader looks up every property it reads.
inline const TPropInfo* TMetaClass::FindProperty(std::string_view name) const {
  const size_t hash = FoldedNameHash(name);
  const NameSlot* slots = byName_.data();
  for (size_t i = hash & nameMask_; slots[i].prop; i = (i + 1) & nameMask_) {
    if (slots[i].hash == hash && SameText(slots[i].prop->Name, name)) return slots[i].prop;
  }
  return nullptr;
}

inline bool IsInstanceOf(const TObject& object, const TMetaClass& cls) {
  return object.ClassType().InheritsFrom(cls);
}

// Orders property names as the property cursor lists them.
bool PropNameLess(std::string_view a, std::string_view b);

// The published method with this code handle, or nullptr.
const TMethodInfo* FindMethodByCode(uint32_t codeHandle);

}  // namespace wdx

namespace wdx {

template <class T>
const TTypeInfo* TypeOfT<T*>::Get() {
  return &T::StaticClass().TypeInfo();
}

}  // namespace wdx
