#include "framework/rtti/Published.h"

namespace wdx {

void ThrowInvalidCast() {
  throw EInvalidCast(msg::kInvalidCast);
}

}  // namespace wdx
