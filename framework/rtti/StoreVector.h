// A vector of trivially copyable elements in one block of the object store, headed by its
// size and capacity. The object that holds it carries a single pointer (null while the vector
// has never held anything) instead of the three of a std::vector: objects of which a form has
// many, and which mostly hold a few elements or none, stay small. A vector of pointers to
// objects keeps a single element in that pointer itself, without a block: most collections and
// owners hold one item or none; so does a vector of records that are never 0 nor odd as a word
// (declared by a member `static constexpr bool kEvenWord = true`).
#pragma once

#include <bit>
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
  // Pointers to objects are even, and so is a non-null block (aligned to 8), marked odd here:
  // an even non-null word is the one element itself.
  static constexpr bool EvenWord() {
    if constexpr (requires { T::kEvenWord; }) {
      return T::kEvenWord;
    } else {
      return std::is_pointer_v<T>;
    }
  }
  static constexpr bool kInlineOne = EvenWord() && sizeof(T) == sizeof(uintptr_t);

 public:
  TStoreVector() = default;
  TStoreVector(const TStoreVector&) = delete;
  TStoreVector& operator=(const TStoreVector&) = delete;
  TStoreVector(TStoreVector&& other) noexcept : word_(std::exchange(other.word_, Word{})) {}
  TStoreVector& operator=(TStoreVector&& other) noexcept {
    if (this != &other) {
      Release();
      word_ = std::exchange(other.word_, Word{});
    }
    return *this;
  }
  ~TStoreVector() { Release(); }

  size_t size() const { return IsBlock() ? Block()->size : Bits() != 0; }
  bool empty() const { return size() == 0; }
  T* begin() const {
    if (IsBlock()) return Elements();
    if constexpr (kInlineOne) return Bits() ? const_cast<T*>(&word_) : nullptr;
    return nullptr;
  }
  T* end() const { return begin() + size(); }
  T& operator[](size_t index) const { return begin()[index]; }
  T& back() const { return begin()[size() - 1]; }

  void push_back(const T& value) { insert(size(), value); }
  void pop_back() { erase(size() - 1); }
  // Puts `value` at `index` (0 to size()), moving the elements from there one place on.
  void insert(size_t index, const T& value) {
    const T copy = value;  // `value` may lie in the block that grows
    if constexpr (kInlineOne) {
      if (Bits() == 0 && CanInline(copy)) {
        word_ = copy;
        return;
      }
    }
    if (!IsBlock() || Block()->size == Block()->capacity) Grow();
    T* at = Elements() + index;
    std::memmove(at + 1, at, (Block()->size - index) * sizeof(T));
    *at = copy;
    ++Block()->size;
  }
  // Removes the element at `index`, moving the later ones one place back.
  void erase(size_t index) {
    if (!IsBlock()) {
      word_ = Word{};
      return;
    }
    T* at = Elements() + index;
    std::memmove(at, at + 1, (Block()->size - index - 1) * sizeof(T));
    --Block()->size;
  }
  // Keeps the first `count` elements (no more than there are).
  void truncate(size_t count) {
    if (IsBlock()) {
      Block()->size = static_cast<uint32_t>(count);
    } else if (count == 0) {
      word_ = Word{};
    }
  }
  void clear() { Release(); }

 private:
  struct Header {
    uint32_t size;
    uint32_t capacity;
  };
  static_assert(sizeof(Header) == 8);

  static bool CanInline(const T& value) {
    if constexpr (kInlineOne) {
      const auto word = std::bit_cast<uintptr_t>(value);
      return word != 0 && (word & 1) == 0;
    } else {
      return false;
    }
  }
  uintptr_t Bits() const { return std::bit_cast<uintptr_t>(word_); }
  bool IsBlock() const { return kInlineOne ? (Bits() & 1) != 0 : Bits() != 0; }
  Header* Block() const { return reinterpret_cast<Header*>(Bits() & ~uintptr_t{1}); }
  T* Elements() const { return reinterpret_cast<T*>(Block() + 1); }
  static size_t BlockSize(size_t capacity) { return sizeof(Header) + capacity * sizeof(T); }

  void Grow() {
    const size_t size = this->size();
    const size_t capacity = size < 4 ? size + 1 : size * 2;
    if (capacity > UINT32_MAX) throw std::bad_alloc();
    auto* grown = static_cast<Header*>(object_store::Allocate(BlockSize(capacity)));
    grown->size = static_cast<uint32_t>(size);
    grown->capacity = static_cast<uint32_t>(capacity);
    if (size > 0) std::memcpy(reinterpret_cast<T*>(grown + 1), begin(), size * sizeof(T));
    Release();
    word_ = std::bit_cast<Word>(reinterpret_cast<uintptr_t>(grown) | (kInlineOne ? 1 : 0));
  }
  void Release() {
    if (IsBlock()) object_store::Free(Block(), BlockSize(Block()->capacity));
    word_ = Word{};
  }

  // null: empty; else a block of the object store (marked odd when kInlineOne), or the one
  // element itself.
  using Word = std::conditional_t<kInlineOne, T, void*>;
  Word word_{};
};

}  // namespace wdx
