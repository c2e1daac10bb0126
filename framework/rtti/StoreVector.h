// A vector of trivially copyable elements in one block of the object store, headed by its
// size and capacity. The object that holds it carries a single pointer (null while the vector
// has never held anything) instead of the three of a std::vector: objects of which a form has
// many, and which mostly hold a few elements or none, stay small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "framework/rtti/ObjectStore.h"

namespace wdx {

template <class T>
class TStoreVector {
  static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= 8);

 public:
  TStoreVector() = default;
  TStoreVector(const TStoreVector&) = delete;
  TStoreVector& operator=(const TStoreVector&) = delete;
  TStoreVector(TStoreVector&& other) noexcept : header_(std::exchange(other.header_, nullptr)) {}
  TStoreVector& operator=(TStoreVector&& other) noexcept {
    if (this != &other) {
      Release();
      header_ = std::exchange(other.header_, nullptr);
    }
    return *this;
  }
  ~TStoreVector() { Release(); }

  size_t size() const { return header_ ? header_->size : 0; }
  bool empty() const { return size() == 0; }
  T* begin() const { return header_ ? Elements() : nullptr; }
  T* end() const { return begin() + size(); }
  T& operator[](size_t index) const { return Elements()[index]; }
  T& back() const { return Elements()[header_->size - 1]; }

  void push_back(const T& value) { insert(size(), value); }
  void pop_back() { --header_->size; }
  // Puts `value` at `index` (0 to size()), moving the elements from there one place on.
  void insert(size_t index, const T& value) {
    const T copy = value;  // `value` may lie in the block that grows
    if (!header_ || header_->size == header_->capacity) Grow();
    T* at = Elements() + index;
    std::memmove(at + 1, at, (header_->size - index) * sizeof(T));
    *at = copy;
    ++header_->size;
  }
  // Removes the element at `index`, moving the later ones one place back.
  void erase(size_t index) {
    T* at = Elements() + index;
    std::memmove(at, at + 1, (header_->size - index - 1) * sizeof(T));
    --header_->size;
  }
  // Keeps the first `count` elements (no more than there are).
  void truncate(size_t count) {
    if (header_) header_->size = static_cast<uint32_t>(count);
  }
  void clear() { Release(); }

 private:
  struct Header {
    uint32_t size;
    uint32_t capacity;
  };
  static_assert(sizeof(Header) == 8);

  T* Elements() const { return reinterpret_cast<T*>(header_ + 1); }
  static size_t BlockSize(size_t capacity) { return sizeof(Header) + capacity * sizeof(T); }

  void Grow() {
    const size_t size = this->size();
    const size_t capacity = size < 4 ? size + 1 : size * 2;
    if (capacity > UINT32_MAX) throw std::bad_alloc();
    auto* grown = static_cast<Header*>(object_store::Allocate(BlockSize(capacity)));
    grown->size = static_cast<uint32_t>(size);
    grown->capacity = static_cast<uint32_t>(capacity);
    if (size > 0) std::memcpy(reinterpret_cast<T*>(grown + 1), Elements(), size * sizeof(T));
    Release();
    header_ = grown;
  }
  void Release() {
    if (!header_) return;
    object_store::Free(header_, BlockSize(header_->capacity));
    header_ = nullptr;
  }

  Header* header_ = nullptr;
};

}  // namespace wdx
