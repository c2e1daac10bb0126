#include "framework/rtti/MetaClass.h"

#include <algorithm>
#include <unordered_map>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"
#include "framework/rtti/Object.h"

namespace wdx {

namespace {

std::unordered_map<uint32_t, const TMethodInfo*>& MethodCodes() {
  static auto* codes = new std::unordered_map<uint32_t, const TMethodInfo*>();
  return *codes;
}

}  // namespace

bool PropNameLess(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned ca = static_cast<unsigned char>(a[i]) & ~0x20u;
    const unsigned cb = static_cast<unsigned char>(b[i]) & ~0x20u;
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

TMetaClass::TMetaClass(std::string name, const TMetaClass* parent, Factory factory,
                       std::vector<TPropInfo> properties, std::vector<TMethodInfo> methods)
    : name_(std::move(name)),
      parent_(parent),
      factory_(std::move(factory)),
      ownProperties_(std::move(properties)),
      methods_(std::move(methods)) {
  typeInfo_ = MakeSimpleType(tkClass, name_);
  typeInfo_.ClassType = this;
  if (parent_) properties_ = parent_->properties_;
  for (TPropInfo& prop : ownProperties_) {
    prop.Owner = this;
    const auto redeclared =
        std::find_if(properties_.begin(), properties_.end(),
                     [&](const TPropInfo* p) { return SameText(p->Name, prop.Name); });
    if (redeclared != properties_.end()) {
      prop.NameIndex = static_cast<int>(redeclared - properties_.begin());
      *redeclared = &prop;
    } else {
      prop.NameIndex = static_cast<int>(properties_.size());
      properties_.push_back(&prop);
    }
  }
  // Open addressing at most half full, so that a search for a missing name ends soon.
  size_t slots = 8;
  while (slots < properties_.size() * 2) slots *= 2;
  byName_.assign(slots, NameSlot{});
  nameMask_ = slots - 1;
  for (const TPropInfo* prop : properties_) {
    const size_t hash = FoldedNameHash(prop->Name);
    size_t i = hash & (slots - 1);
    while (byName_[i].prop) i = (i + 1) & (slots - 1);
    byName_[i] = NameSlot{prop, hash};
  }
  for (const TPropInfo* prop : properties_) {
    if (prop->Owner == this && prop->HasDefault && prop->SetOrd) ownDefaults_.push_back(prop);
  }
  sorted_ = properties_;
  std::stable_sort(sorted_.begin(), sorted_.end(), [](const TPropInfo* a, const TPropInfo* b) {
    return PropNameLess(a->Name, b->Name);
  });
  auto& codes = MethodCodes();
  for (TMethodInfo& method : methods_) {
    method.Owner = this;
    method.CodeHandle = static_cast<uint32_t>(codes.size()) + 1;
    codes.emplace(method.CodeHandle, &method);
  }
}

TObject* TMetaClass::Create(TObject* arg) const {
  if (!factory_)
    throw EInvalidOperation("Cannot create an instance of the abstract class " + name_);
  return factory_(arg);
}

const TMethodInfo* TMetaClass::FindMethod(const std::string& name) const {
  for (const TMetaClass* c = this; c; c = c->parent_) {
    for (const TMethodInfo& method : c->methods_) {
      if (SameText(method.Name, name)) return &method;
    }
  }
  return nullptr;
}

const TMethodInfo* TMetaClass::FindMethod(const TMethodInfo* code) const {
  for (const TMetaClass* c = this; c; c = c->parent_) {
    for (const TMethodInfo& method : c->methods_) {
      if (&method == code) return &method;
    }
  }
  return nullptr;
}

const TMethodInfo* FindMethodByCode(uint32_t codeHandle) {
  const auto& codes = MethodCodes();
  const auto it = codes.find(codeHandle);
  return it == codes.end() ? nullptr : it->second;
}

}  // namespace wdx
