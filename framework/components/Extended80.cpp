#include "framework/components/Extended80.h"

#include <bit>

#include "framework/rtl/LittleEndian.h"

namespace wdx {

namespace {

constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr uint64_t kTopBit = uint64_t{1} << 63;

double BitsDouble(uint64_t bits) {
  return std::bit_cast<double>(bits);
}

TExtended80 Pack(bool negative, uint32_t exponent, uint64_t mantissa) {
  TExtended80 bytes{};
  PutLittleEndian(bytes.data(), mantissa, 8);
  const uint32_t top = (negative ? 0x8000u : 0u) | (exponent & 0x7FFFu);
  bytes[8] = static_cast<uint8_t>(top);
  bytes[9] = static_cast<uint8_t>(top >> 8);
  return bytes;
}

}  // namespace

TExtended80 DoubleToExtended80(double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (exponent == 0x7FF) return Pack(negative, 0x7FFF, kTopBit | (fraction << 11));
  if (exponent == 0) {
    if (fraction == 0) return Pack(negative, 0, 0);
    // Subnormal double: normalise, the extended range holds it as a normal number.
    uint64_t mantissa = fraction << 11;
    int unbiased = 1 - kDoubleBias;
    while ((mantissa & kTopBit) == 0) {
      mantissa <<= 1;
      --unbiased;
    }
    return Pack(negative, static_cast<uint32_t>(unbiased + kExtendedBias), mantissa);
  }
  return Pack(negative, static_cast<uint32_t>(exponent - kDoubleBias + kExtendedBias),
              kTopBit | (fraction << 11));
}

double Extended80ToDouble(const TExtended80& bytes) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[static_cast<size_t>(i)];
  const uint32_t top = static_cast<uint32_t>(bytes[8]) | (static_cast<uint32_t>(bytes[9]) << 8);
  const uint64_t sign = static_cast<uint64_t>(top >> 15) << 63;
  const int exponent = static_cast<int>(top & 0x7FFF);
  const uint64_t infinity = uint64_t{0x7FF} << 52;

  if (exponent == 0x7FFF) {
    if ((mantissa << 1) == 0) return BitsDouble(sign | infinity);
    return BitsDouble(sign | infinity | (uint64_t{1} << 51) | ((mantissa << 1) >> 12));
  }
  if (mantissa == 0) return BitsDouble(sign);

  // value = mantissa * 2^(unbiased - 63); normalise so that bit 63 is set.
  int unbiased = (exponent == 0 ? 1 : exponent) - kExtendedBias;
  while ((mantissa & kTopBit) == 0) {
    mantissa <<= 1;
    --unbiased;
  }
  if (unbiased > kDoubleBias) return BitsDouble(sign | infinity);

  // Keep 53 bits for a normal result, fewer for a subnormal one.
  int shift = 11;
  if (unbiased < 1 - kDoubleBias) shift += (1 - kDoubleBias) - unbiased;
  if (shift > 64) return BitsDouble(sign);
  const uint64_t kept = shift == 64 ? 0 : mantissa >> shift;
  const uint64_t rest = shift == 64 ? mantissa : mantissa & ((uint64_t{1} << shift) - 1);
  const uint64_t half = uint64_t{1} << (shift - 1);
  uint64_t rounded = kept;
  if (rest > half || (rest == half && (kept & 1) != 0)) ++rounded;

  if (shift > 11) {
    // Subnormal: the exponent field is 0; a carry into bit 52 yields the smallest normal.
    return BitsDouble(sign | rounded);
  }
  if (rounded == (uint64_t{1} << 53)) {
    rounded >>= 1;
    ++unbiased;
    if (unbiased > kDoubleBias) return BitsDouble(sign | infinity);
  }
  const uint64_t biased = static_cast<uint64_t>(unbiased + kDoubleBias);
  return BitsDouble(sign | (biased << 52) | (rounded & ((uint64_t{1} << 52) - 1)));
}

}  // namespace wdx
