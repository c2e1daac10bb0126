// Little-endian numbers in byte buffers: independent of the host's byte order and of alignment.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace wdx {

// The low `width` bytes of `value`, lowest first, appended to `out`.
template <class Buffer>
void AppendLittleEndian(Buffer& out, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) {
    out.push_back(static_cast<typename Buffer::value_type>(static_cast<uint8_t>(value >> (8 * i))));
  }
}

inline void PutLittleEndian(uint8_t* out, uint64_t value, int width) {
  for (int i = 0; i < width; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint64_t GetLittleEndian(const uint8_t* data, int width) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) value |= static_cast<uint64_t>(data[i]) << (8 * i);
  return value;
}

// The unsigned integer of Width bytes at `data`: one load on a little-endian host.
template <int Width>
inline uint64_t LoadLittleEndian(const uint8_t* data) {
  static_assert(Width == 1 || Width == 2 || Width == 4 || Width == 8);
  if constexpr (std::endian::native == std::endian::little) {
    using Unsigned =
        std::conditional_t<Width == 1, uint8_t,
                           std::conditional_t<Width == 2, uint16_t,
                                              std::conditional_t<Width == 4, uint32_t, uint64_t>>>;
    Unsigned value;
    std::memcpy(&value, data, Width);
    return value;
  } else {
    return GetLittleEndian(data, Width);
  }
}

}  // namespace wdx
