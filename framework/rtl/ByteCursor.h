// A read position in a span of bytes. Every read checks once that the bytes it takes are there
// and raises EReadError "Stream read error" when they are not, before anything is allocated; the
// bytes themselves are neither copied nor owned, so they must outlive the cursor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/LittleEndian.h"

namespace wdx {

class ByteCursor {
 public:
  ByteCursor() = default;
  explicit ByteCursor(std::span<const uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}

  size_t Position() const { return pos_; }
  // Moves to `position`, which may be at most the end.
  void SetPosition(size_t position) {
    if (position > size_) ThrowStreamReadError();
    pos_ = position;
  }
  size_t Size() const { return size_; }
  size_t Remaining() const { return size_ - pos_; }
  // The bytes from `begin` up to the current position.
  std::span<const uint8_t> Since(size_t begin) const { return {data_ + begin, pos_ - begin}; }

  // Raises the error unless `count` more bytes are there.
  void Need(uint64_t count) const {
    if (count > size_ - pos_) ThrowStreamReadError();
  }
  uint8_t Byte() {
    Need(1);
    return data_[pos_++];
  }
  // The next byte without moving past it.
  uint8_t Peek() const {
    Need(1);
    return data_[pos_];
  }
  // An unsigned little-endian integer of Width bytes.
  template <int Width>
  uint64_t Unsigned() {
    Need(Width);
    const uint64_t value = LoadLittleEndian<Width>(data_ + pos_);
    pos_ += Width;
    return value;
  }
  uint16_t U16() { return static_cast<uint16_t>(Unsigned<2>()); }
  uint32_t U32() { return static_cast<uint32_t>(Unsigned<4>()); }
  uint64_t U64() { return Unsigned<8>(); }
  void Skip(uint64_t count) {
    Need(count);
    pos_ += static_cast<size_t>(count);
  }
  // The next `count` bytes, in place.
  std::span<const uint8_t> Take(uint64_t count) {
    Need(count);
    const uint8_t* at = data_ + pos_;
    pos_ += static_cast<size_t>(count);
    return {at, static_cast<size_t>(count)};
  }
  std::string_view View(uint64_t count) {
    const std::span<const uint8_t> bytes = Take(count);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
  void Read(void* out, uint64_t count) {
    const std::span<const uint8_t> bytes = Take(count);
    if (!bytes.empty()) std::memcpy(out, bytes.data(), bytes.size());
  }
  // A length byte n and n bytes of text, in place.
  std::string_view ShortString() { return View(Byte()); }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t pos_ = 0;
};

}  // namespace wdx
