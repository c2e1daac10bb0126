// A front-end's table of control kinds: what the front-end does with each class of control
// (create it, draw it, mirror its properties, take its keys, clicks or script actions), found by
// the control's class or else by the nearest ancestor that has an entry. Each front-end keeps one
// table; a program adds an entry for a class of its own the way the front-end adds its standard
// ones. A control whose class has no entry, nor any ancestor of it, is one the front-end does not
// support: it says so by the class's name instead of leaving the control out.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>

#include "framework/controls/Control.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtti/MetaClass.h"

namespace wdx {

template <class Kind>
class TKindTable {
 public:
  // Gives `cls` (and the classes derived from it that have no entry of their own) this kind;
  // a later entry for the same class replaces the earlier one.
  void Add(const TMetaClass& cls, Kind kind) { kinds_.insert_or_assign(&cls, std::move(kind)); }

  // The entry of the class or of its nearest ancestor that has one; nullptr when none has.
  const Kind* Find(const TMetaClass& cls) const {
    for (const TMetaClass* c = &cls; c; c = c->Parent()) {
      const auto found = kinds_.find(c);
      if (found != kinds_.end()) return &found->second;
    }
    return nullptr;
  }
  const Kind* Find(const TControl& control) const { return Find(control.ClassType()); }

 private:
  std::unordered_map<const TMetaClass*, Kind> kinds_;
};

// The control as the class its kind is for: a kind is found only for that class and those derived
// from it, so anything else is a kind put in the wrong place (EInvalidCast).
template <class C>
C& As(TControl& control) {
  C* typed = ObjectCast<C>(&control);
  if (!typed) throw EInvalidCast(msg::kInvalidCast);
  return *typed;
}
template <class C>
const C& As(const TControl& control) {
  const C* typed = ObjectCast<C>(&control);
  if (!typed) throw EInvalidCast(msg::kInvalidCast);
  return *typed;
}

}  // namespace wdx
