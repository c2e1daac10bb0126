// Small utilities of the language controller: the tolerant release of owned objects, the search
// for the form that owns a component, and two walks over the component tree.
#pragma once

#include <functional>
#include <memory>

namespace wdx {

class TComponent;
class TControl;
class TCustomForm;
class TWinControl;

// Releases the object a field owns and leaves the field null; nothing happens for null. The field
// is cleared before the release, so it is null even if releasing fails.
template <class T>
void SafeFree(T*& field) {
  T* object = field;
  field = nullptr;
  delete object;
}

template <class T>
void SafeFree(std::unique_ptr<T>& field) {
  std::unique_ptr<T> object = std::move(field);
  object.reset();
}

// The first form on the chain of owners, starting at the component's owner; null when none.
TCustomForm* FindOwnerForm(const TComponent* component);

// Visits every control below `control` and then `control` itself: children from the last to
// the first, each windowed child after its own children.
void ForEachControl(TWinControl* control, const std::function<void(TControl*)>& visitor);

// Visits every component owned (directly or through other owned components) by `component`,
// then `component` itself: post-order, siblings from the last to the first.
void ForEachOwnedComponent(TComponent* component, const std::function<void(TComponent*)>& visitor);

// Raises ECaseError "Case value not handled", for a phase value outside its enumeration.
[[noreturn]] void RaiseCaseError();

}  // namespace wdx
