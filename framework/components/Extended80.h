// The 80-bit extended precision format of form streams (64-bit mantissa with an explicit
// leading bit, 15-bit exponent, sign), converted to and from double by integer arithmetic so
// that the result does not depend on the host's floating-point hardware or byte order.
#pragma once

#include <array>
#include <cstdint>

namespace wdx {

using TExtended80 = std::array<uint8_t, 10>;

// Exact: every double has an extended representation.
TExtended80 DoubleToExtended80(double value);
// Rounds to nearest, ties to even; values beyond the double range become infinities, tiny ones
// subnormals or zero. NaNs stay NaNs.
double Extended80ToDouble(const TExtended80& bytes);

}  // namespace wdx
