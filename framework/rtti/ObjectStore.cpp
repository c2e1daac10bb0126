#include "framework/rtti/ObjectStore.h"

#include <new>

namespace wdx::object_store {

// The address sanitizer watches every block only when each comes from the global heap.
#if defined(__SANITIZE_ADDRESS__)
#define WDX_OBJECT_STORE_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WDX_OBJECT_STORE_HEAP 1
#endif
#endif

namespace {
std::size_t bytesInUse = 0;
std::size_t allocations = 0;
}  // namespace

std::size_t BytesInUse() noexcept {
  return bytesInUse;
}

std::size_t Allocations() noexcept {
  return allocations;
}

#ifndef WDX_OBJECT_STORE_HEAP
namespace {

// Blocks come in sizes of every multiple of 8 bytes up to kLargest, each size from a pool of
// its own, so that an object takes no more than its size rounded up to 8. A pool cuts its
// blocks from chunks of kChunk bytes, one after the other, so that objects made one after the
// other lie one after the other; a freed block goes on the pool's list of free blocks, and the
// next block of that size is the one freed last. Chunks stay with the store for the life of
// the process. Larger blocks come from the heap.
constexpr std::size_t kGrain = 8;
constexpr std::size_t kLargest = 512;
constexpr std::size_t kChunk = std::size_t{64} << 10;

struct FreeBlock {
  FreeBlock* next;
};

struct Pool {
  FreeBlock* free;
  char* next;  // where the next block is cut from the current chunk
  char* end;
};

// Zero-initialized and trivially destructible: objects freed during static destruction still
// find it. Unsynchronized: the framework's objects are made and freed on the one thread that
// runs the user interface.
Pool pools[kLargest / kGrain];

constexpr std::size_t Rounded(std::size_t size) {
  return (size + kGrain - 1) / kGrain * kGrain;
}

Pool& PoolOf(std::size_t size) {
  return pools[Rounded(size) / kGrain - 1];
}

void* Cut(Pool& pool, std::size_t block) {
  if (static_cast<std::size_t>(pool.end - pool.next) < block) {
    pool.next = static_cast<char*>(::operator new(kChunk));
    pool.end = pool.next + kChunk;
  }
  void* cut = pool.next;
  pool.next += block;
  return cut;
}

}  // namespace

void* Allocate(std::size_t size) {
  if (size == 0) size = 1;
  void* block = nullptr;
  if (size > kLargest) {
    block = ::operator new(size);
  } else {
    Pool& pool = PoolOf(size);
    if (FreeBlock* reused = pool.free) {
      pool.free = reused->next;
      block = reused;
    } else {
      block = Cut(pool, Rounded(size));
    }
  }
  bytesInUse += size;
  ++allocations;
  return block;
}

void Free(void* block, std::size_t size) noexcept {
  if (!block) return;
  if (size == 0) size = 1;
  if (size > kLargest) {
    ::operator delete(block);
  } else {
    Pool& pool = PoolOf(size);
    pool.free = ::new (block) FreeBlock{pool.free};
  }
  bytesInUse -= size;
}
#else
void* Allocate(std::size_t size) {
  void* block = ::operator new(size);
  bytesInUse += size;
  ++allocations;
  return block;
}

// The size is not passed on: not every compiler declares the sized global delete.
void Free(void* block, std::size_t size) noexcept {
  if (!block) return;
  ::operator delete(block);
  bytesInUse -= size;
}
#endif

}  // namespace wdx::object_store
