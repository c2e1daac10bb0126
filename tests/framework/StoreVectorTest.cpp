#include "framework/rtti/StoreVector.h"

#include <gtest/gtest.h>

#include <vector>

namespace wdx {
namespace {

template <class T>
std::vector<T> Contents(const TStoreVector<T>& v) {
  return std::vector<T>(v.begin(), v.end());
}

// One pointer lives in place of the block pointer; growing, shrinking and an odd pointer (which
// could be taken for a block there) pass through a block and back.
TEST(StoreVector, KeepsOnePointerInPlaceAndMovesToABlockAndBack) {
  long objects[3] = {};
  long *a = &objects[0], *b = &objects[1], *c = &objects[2];
  TStoreVector<long*> v;
  v.push_back(a);
  v[0] = b;
  v.insert(0, a);
  v.push_back(c);
  EXPECT_EQ(Contents(v), (std::vector<long*>{a, b, c}));
  v.erase(1);
  v.pop_back();
  v.truncate(0);
  EXPECT_TRUE(v.empty());
  v.clear();
  v.push_back(b);
  EXPECT_EQ(Contents(v), (std::vector<long*>{b}));
  v.erase(0);
  EXPECT_EQ(v.begin(), v.end());
  char text[2] = {};
  char* odd = reinterpret_cast<uintptr_t>(&text[0]) % 2 ? &text[0] : &text[1];
  TStoreVector<char*> chars;
  chars.push_back(odd);
  chars.push_back(nullptr);
  EXPECT_EQ(Contents(chars), (std::vector<char*>{odd, nullptr}));
}

}  // namespace
}  // namespace wdx
