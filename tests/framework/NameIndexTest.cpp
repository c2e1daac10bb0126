#include "framework/components/NameIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/components/Component.h"
#include "framework/rtl/StrUtils.h"

namespace wdx {
namespace {

std::vector<std::unique_ptr<TComponent>> Named(int count) {
  std::vector<std::unique_ptr<TComponent>> components;
  for (int i = 0; i < count; ++i) {
    components.push_back(std::make_unique<TComponent>(nullptr));
    components.back()->Rename("Item" + std::to_string(i));
  }
  return components;
}

TEST(NameIndex, FindsWithoutRegardToCaseAndReplacesAName) {
  auto components = Named(2);
  TNameIndex index;
  EXPECT_EQ(index.Find("Item0"), nullptr);
  index.Insert("Item0", components[0].get());
  EXPECT_EQ(index.Find("ITEM0"), components[0].get());
  EXPECT_EQ(index.Find("item0"), components[0].get());
  EXPECT_EQ(index.Find("Item00"), nullptr);
  // The same name again leads to the newer component, which takes the name.
  components[1]->Rename("ITEM0");
  index.Insert("item0", components[1].get());
  EXPECT_EQ(index.Find("Item0"), components[1].get());
  EXPECT_EQ(index.Size(), 1u);
  index.Erase("Item0", components[0].get());
  EXPECT_EQ(index.Find("Item0"), components[1].get());
  index.Erase("ITEM0", components[1].get());
  EXPECT_EQ(index.Find("Item0"), nullptr);
  EXPECT_EQ(index.Size(), 0u);
}

// Random inserts and removals against a plain map: every removal must leave every other name
// reachable, also where runs of occupied slots wrap around the end of the table.
TEST(NameIndex, StaysExactThroughRandomRemovals) {
  auto components = Named(300);
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    TNameIndex index;
    std::map<std::string, TComponent*> expected;
    const int count = 3 + static_cast<int>(random() % 200);
    for (int step = 0; step < 4 * count; ++step) {
      TComponent* component = components[random() % static_cast<unsigned>(count)].get();
      const std::string key = AsciiUpper(component->Name());
      if (random() % 3) {
        index.Insert(component->Name(), component);
        expected[key] = component;
      } else {
        index.Erase(component->Name(), component);
        expected.erase(key);
      }
      ASSERT_EQ(index.Size(), expected.size());
    }
    for (int i = 0; i < count; ++i) {
      const std::string& name = components[static_cast<size_t>(i)]->Name();
      const auto found = expected.find(AsciiUpper(name));
      EXPECT_EQ(index.Find(name), found == expected.end() ? nullptr : found->second) << name;
    }
  }
}

}  // namespace
}  // namespace wdx
