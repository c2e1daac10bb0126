// Matching keys for the key bindings of the dialog and its kinds.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/ui/terminal/Key.h"

namespace wdx::terminal {

// Whether a key is one of `keys`.
inline std::function<bool(const TKey&)> AnyOf(std::vector<TFunctionKey> keys) {
  return [keys](const TKey& key) {
    return std::any_of(keys.begin(), keys.end(), [&](TFunctionKey k) { return key.Is(k); });
  };
}

}  // namespace wdx::terminal
