#include "framework/rtti/LiveObjects.h"

#include <unordered_map>

namespace wdx::live_objects {

namespace {

struct Table {
  uint32_t next = 1;
  std::unordered_map<uint32_t, TObject*> objects;
};

// Never destroyed, so that objects released during process exit still find it.
Table& TheTable() {
  static Table* table = new Table();
  return *table;
}

}  // namespace

uint32_t Register(TObject* object) {
  Table& table = TheTable();
  uint32_t handle = table.next++;
  if (handle == 0) handle = table.next++;  // after 2^32 objects: skip the nil handle
  table.objects.emplace(handle, object);
  return handle;
}

void Unregister(uint32_t handle) {
  TheTable().objects.erase(handle);
}

TObject* Find(uint32_t handle) {
  if (handle == 0) return nullptr;
  const auto& objects = TheTable().objects;
  const auto it = objects.find(handle);
  return it == objects.end() ? nullptr : it->second;
}

}  // namespace wdx::live_objects
