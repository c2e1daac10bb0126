// A set over an enumeration of at most 32 elements, held as a 32-bit mask (bit i for ordinal i).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace wdx {

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> elements) {
    for (E e : elements) Include(e);
  }
  static constexpr TSet FromBits(uint32_t bits) {
    TSet set;
    set.bits_ = bits;
    return set;
  }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr uint32_t Bit(E e) { return 1u << (static_cast<uint32_t>(e) & 31u); }
  uint32_t bits_ = 0;
};

template <class T>
struct IsSet {
  static constexpr bool value = false;
};
template <class E>
struct IsSet<TSet<E>> {
  static constexpr bool value = true;
};

}  // namespace wdx
