// Where the objects of the class hierarchy live. A form of many components makes and frees
// many objects of a few sizes; the store keeps them in pools by size (every multiple of 8
// bytes), so an object takes its own size and no more, freeing one puts its block back on a
// list (no merging with neighbouring blocks, which would revisit memory long out of cache) and
// a later object of the same size reuses it. Blocks are aligned to 8 bytes and stay with the
// store for the life of the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace wdx::object_store {

void* Allocate(std::size_t size);
void Free(void* block, std::size_t size) noexcept;
// The bytes of the blocks handed out and not yet freed, as requested (a pool rounds each up to
// its block size). For measurements.
std::size_t BytesInUse() noexcept;
// How many blocks have been handed out so far. For measurements and tests.
std::size_t Allocations() noexcept;

}  // namespace wdx::object_store

namespace wdx {

// An allocator for the containers inside objects (link lists, indexes, slot arrays), so that
// their blocks live and die with the objects' own.
template <typename T>
struct StoreAllocator {
  using value_type = T;

  StoreAllocator() = default;
  template <typename U>
  StoreAllocator(const StoreAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    static_assert(alignof(T) <= 8, "the store aligns its blocks to 8 bytes");
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(object_store::Allocate(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { object_store::Free(p, n * sizeof(T)); }

  template <typename U>
  bool operator==(const StoreAllocator<U>&) const noexcept {
    return true;
  }
};

// Frees a byte block of the object store; the block's size travels with it.
struct StoreBlockDeleter {
  std::size_t size = 0;
  void operator()(uint8_t* block) const noexcept { object_store::Free(block, size); }
};

using StoreBlock = std::unique_ptr<uint8_t[], StoreBlockDeleter>;

inline StoreBlock MakeStoreBlock(std::size_t size) {
  return StoreBlock(static_cast<uint8_t*>(object_store::Allocate(size)), StoreBlockDeleter{size});
}

}  // namespace wdx
