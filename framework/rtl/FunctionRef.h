// A callable passed down a call without being stored: it refers to the caller's callable (which
// must outlive the call) instead of copying it, so passing one costs two pointers.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

namespace wdx {

template <class Signature>
class FunctionRef;

template <class Result, class... Args>
class FunctionRef<Result(Args...)> {
 public:
  FunctionRef() = default;
  FunctionRef(std::nullptr_t) {}  // NOLINT: as a std::function takes nullptr
  template <class Callable,
            class = std::enable_if_t<!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
                                     std::is_invocable_r_v<Result, Callable&, Args...>>>
  FunctionRef(Callable&& callable)  // NOLINT: converts like a std::function
      : object_(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
        call_([](void* object, Args... args) -> Result {
          return (*static_cast<std::remove_reference_t<Callable>*>(object))(
              std::forward<Args>(args)...);
        }) {}

  explicit operator bool() const { return call_ != nullptr; }
  Result operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

 private:
  void* object_ = nullptr;
  Result (*call_)(void*, Args...) = nullptr;
};

}  // namespace wdx
