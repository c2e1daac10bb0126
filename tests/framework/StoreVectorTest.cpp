#include "framework/rtti/StoreVector.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/rtti/ObjectStore.h"

namespace wdx {
namespace {

template <class T>
std::vector<T> Contents(const TStoreVector<T>& v) {
  return std::vector<T>(v.begin(), v.end());
}

// A vector of pointers keeps one element without a block, and passes between that and a block
// as it grows and shrinks; an odd pointer, which cannot be told from a block there, gets a block.
TEST(StoreVector, KeepsOnePointerInPlaceAndMovesToABlockAndBack) {
  long objects[3] = {};
  long* a = &objects[0];
  long* b = &objects[1];
  long* c = &objects[2];
  TStoreVector<long*> v;
  const size_t before = object_store::Allocations();
  v.push_back(a);
  EXPECT_EQ(object_store::Allocations(), before);
  EXPECT_EQ(Contents(v), (std::vector<long*>{a}));
  v[0] = b;  // written in place
  EXPECT_EQ(v.back(), b);
  v.insert(0, a);
  v.push_back(c);
  EXPECT_EQ(Contents(v), (std::vector<long*>{a, b, c}));
  v.erase(1);
  v.pop_back();
  EXPECT_EQ(Contents(v), (std::vector<long*>{a}));
  v.truncate(0);
  EXPECT_TRUE(v.empty());
  v.push_back(c);  // the block is kept
  EXPECT_EQ(Contents(v), (std::vector<long*>{c}));
  v.clear();
  EXPECT_EQ(v.size(), 0u);
  v.push_back(b);
  v.erase(0);
  EXPECT_TRUE(v.empty());
  EXPECT_EQ(v.begin(), v.end());

  char text[2] = {};
  char* odd = reinterpret_cast<uintptr_t>(&text[0]) % 2 ? &text[0] : &text[1];
  TStoreVector<char*> chars;
  chars.push_back(nullptr);
  chars.push_back(odd);
  EXPECT_EQ(Contents(chars), (std::vector<char*>{nullptr, odd}));
  TStoreVector<char*> moved(std::move(chars));
  EXPECT_TRUE(chars.empty());
  EXPECT_EQ(moved.size(), 2u);
}

}  // namespace
}  // namespace wdx
