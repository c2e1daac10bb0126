#include "framework/rtti/ObjectStore.h"

#include <memory_resource>
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

// Built in place and never destroyed: objects freed during static destruction still find it.
// Unsynchronized: the framework's objects are made and freed on the one thread that runs the
// user interface.
std::pmr::memory_resource& Pools() {
  alignas(std::pmr::unsynchronized_pool_resource) static unsigned char
      storage[sizeof(std::pmr::unsynchronized_pool_resource)];
  static auto* const pools = ::new (static_cast<void*>(storage))
      std::pmr::unsynchronized_pool_resource(std::pmr::pool_options{0, 1024});
  return *pools;
}

}  // namespace

void* Allocate(std::size_t size) {
  void* block = Pools().allocate(size);
  bytesInUse += size;
  ++allocations;
  return block;
}

void Free(void* block, std::size_t size) noexcept {
  if (!block) return;
  Pools().deallocate(block, size);
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
