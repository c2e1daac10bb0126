// Little-endian numbers in byte buffers, written and read byte by byte: independent of the
// host's byte order and of alignment.
#pragma once

#include <cstdint>
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

}  // namespace wdx
