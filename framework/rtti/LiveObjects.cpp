#include "framework/rtti/LiveObjects.h"

#include <memory>
#include <vector>

namespace wdx::live_objects {

namespace {

// Handles are given out in increasing order and never reused, so the table is a list of pages
// indexed by the handle itself: a lookup is two array reads, and a page goes as soon as every
// object of its handles is gone, so the table stays as large as the live objects need.
constexpr uint32_t kPageBits = 10;
constexpr uint32_t kPageSize = 1u << kPageBits;

struct Page {
  TObject* objects[kPageSize] = {};
  uint32_t live = 0;
  uint32_t issued = 0;  // handles of this page given out so far
};

struct Table {
  uint32_t next = 1;
  std::vector<std::unique_ptr<Page>> pages;
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
  const uint32_t index = handle >> kPageBits;
  if (index >= table.pages.size()) table.pages.resize(index + 1);
  std::unique_ptr<Page>& page = table.pages[index];
  if (!page) page = std::make_unique<Page>();
  page->objects[handle & (kPageSize - 1)] = object;
  ++page->live;
  ++page->issued;
  return handle;
}

void Unregister(uint32_t handle) {
  Table& table = TheTable();
  const uint32_t index = handle >> kPageBits;
  if (index >= table.pages.size() || !table.pages[index]) return;
  Page& page = *table.pages[index];
  TObject*& slot = page.objects[handle & (kPageSize - 1)];
  if (!slot) return;
  slot = nullptr;
  --page.live;
  // A page whose handles have all been given out and whose objects are all gone is never
  // needed again.
  if (page.live == 0 && page.issued == kPageSize) table.pages[index].reset();
}

TObject* Find(uint32_t handle) {
  const Table& table = TheTable();
  const uint32_t index = handle >> kPageBits;
  if (handle == 0 || index >= table.pages.size() || !table.pages[index]) return nullptr;
  return table.pages[index]->objects[handle & (kPageSize - 1)];
}

}  // namespace wdx::live_objects
