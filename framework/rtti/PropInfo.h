// Property descriptors: one published property of a class with its type, accessors, default
// and stored condition. Accessors are grouped by how the value travels (ordinal, float, ...);
// a property has the pair of its kind, either of which may be missing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/rtl/Variant.h"
#include "framework/rtti/Method.h"
#include "framework/rtti/TypeInfo.h"

namespace wdx {

class TObject;
class TMetaClass;

struct TPropInfo {
  std::string Name;
  // Resolved on use, so that classes may name each other's types in any order.
  const TTypeInfo* (*TypeFn)() = nullptr;
  const TMetaClass* Owner = nullptr;  // the declaring class
  int NameIndex = 0;                  // slot in the class's declaration order

  std::function<int32_t(const TObject*)> GetOrd;
  std::function<void(TObject*, int32_t)> SetOrd;
  std::function<double(const TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(const TObject*)> GetStr;
  // The text itself rather than a copy, for a getter that returns a reference; else empty.
  std::function<const std::string&(const TObject*)> GetStrRef;
  std::function<void(TObject*, const std::string&)> SetStr;
  // For a text property that offers it: writes `text` as SetStr would and hands back in
  // `previous` the text the property held, taking `text` before anything the write calls runs;
  // as GetStr and then SetStr, without a string made of `text` first. Else empty.
  void (*ExchangeStr)(TObject*, std::string_view text, std::string& previous) = nullptr;
  std::function<TNotifyEvent(const TObject*)> GetMethod;
  std::function<void(TObject*, const TNotifyEvent&)> SetMethod;
  std::function<Variant(const TObject*)> GetVariant;
  std::function<void(TObject*, const Variant&)> SetVariant;
  std::function<int64_t(const TObject*)> GetInt64;
  std::function<void(TObject*, int64_t)> SetInt64;
  std::function<TObject*(const TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;

  bool HasDefault = false;
  int32_t Default = 0;
  bool StoredConst = true;
  std::function<bool(const TObject*)> StoredFn;

  bool Readable = false;
  bool Writable = false;

 private:
  mutable const TTypeInfo* type_ = nullptr;  // PropType() once asked

 public:
  // The type, asked of TypeFn once and kept: the form reader asks for it at every property.
  const TTypeInfo* PropType() const {
    if (!type_ && TypeFn) type_ = TypeFn();
    return type_;
  }
  bool IsStored(const TObject* object) const { return StoredFn ? StoredFn(object) : StoredConst; }

  // Builder steps for the declaration tables.
  TPropInfo&& WithDefault(int32_t value) && {
    HasDefault = true;
    Default = value;
    return std::move(*this);
  }
  TPropInfo&& NotStored() && {
    StoredConst = false;
    return std::move(*this);
  }
  TPropInfo&& StoredWhen(std::function<bool(const TObject*)> fn) && {
    StoredFn = std::move(fn);
    return std::move(*this);
  }
  // ExchangeStr by the member `Exchange` of class C, a plain call: switching languages makes
  // one per translated text (defined in Published.h).
  template <class C, auto Exchange>
  TPropInfo&& ExchangedBy() &&;
  TPropInfo&& WithoutTypeInfo() && {
    TypeFn = nullptr;
    type_ = nullptr;
    return std::move(*this);
  }
};

}  // namespace wdx
