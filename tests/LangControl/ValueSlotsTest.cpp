#include "LangControl/Source/ValueSlots.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "framework/rtti/ObjectStore.h"

namespace wdx {
namespace {

using Model = std::map<int32_t, std::vector<uint8_t>>;

void Fill(uint8_t* at, int32_t size, uint8_t seed, std::vector<uint8_t>& kept) {
  kept.assign(static_cast<size_t>(size), 0);
  for (int32_t i = 0; i < size; ++i) kept[static_cast<size_t>(i)] = static_cast<uint8_t>(seed + i);
  if (size > 0) std::memcpy(at, kept.data(), kept.size());
}

void ExpectSame(const TValueSlots& slots, const Model& model, int step) {
  for (int32_t index = 0; index < 24; ++index) {
    int32_t size = -1;
    const uint8_t* value = slots.Value(index, size);
    const auto found = model.find(index);
    ASSERT_EQ(value != nullptr, found != model.end()) << "step " << step << " slot " << index;
    ASSERT_EQ(slots.Holds(index), found != model.end());
    if (!value) continue;
    ASSERT_EQ(std::vector<uint8_t>(value, value + size), found->second)
        << "step " << step << " slot " << index;
  }
}

// Values of every size come and go, change places, make room ahead and are laid out as a whole
// row, in the slots of short and long rows, starting at slot 0 or 1: every slot keeps its own bytes
// throughout, a prepared slot takes its value without allocating, and no block is left behind.
TEST(ValueSlots, KeepEverySlotsBytesThroughAnyChange) {
  const size_t before = object_store::BytesInUse();
  std::mt19937 random(7);
  // Slots 1 and 2 (a live slot 0 and two stored), then rows that hold slot 0 too.
  for (const auto& [lowest, reach] : {std::pair{1, 3}, std::pair{0, 3}, std::pair{0, 20}}) {
    TValueSlots slots;
    Model model;
    for (int step = 0; step < 3000; ++step) {
      const auto span = static_cast<unsigned>(reach - lowest);
      const int32_t index = lowest + static_cast<int32_t>(random() % span);
      const int32_t other = lowest + static_cast<int32_t>(random() % span);
      const auto size = static_cast<int32_t>(random() % 70);
      switch (random() % 6) {
        case 0:
        case 1:
          Fill(slots.Reserve(index, size, reach), size, static_cast<uint8_t>(step), model[index]);
          break;
        case 2: {
          slots.Prepare(index, size, reach);
          const size_t allocations = object_store::Allocations();
          uint8_t* at = slots.Fitting(index, size);
          ASSERT_NE(at, nullptr);
          EXPECT_EQ(object_store::Allocations(), allocations);
          Fill(at, size, static_cast<uint8_t>(step), model[index]);
          break;
        }
        case 3:
          slots.Clear(index);
          model.erase(index);
          break;
        case 4: {
          slots.Swap(index, other, reach);
          const bool first = model.count(index) > 0;
          const bool second = model.count(other) > 0;
          std::vector<uint8_t> a = first ? model[index] : std::vector<uint8_t>();
          std::vector<uint8_t> b = second ? model[other] : std::vector<uint8_t>();
          model.erase(index);
          model.erase(other);
          if (second) model[index] = b;
          if (first) model[other] = a;
          break;
        }
        default:
          if (random() % 20 == 0) {
            slots.Truncate(index);
            model.erase(model.lower_bound(index), model.end());
          } else if (random() % 20 == 0) {
            // A whole row laid out at once, some of its slots left empty.
            std::map<int32_t, int32_t> sizes;
            size_t total = 0;
            for (int32_t slot = lowest; slot <= index; ++slot) {
              if (random() % 3 == 0) continue;
              sizes[slot] = 1 + static_cast<int32_t>(random() % 70);
              total += static_cast<size_t>(sizes[slot]);
            }
            TValueSlots::TLayout layout = slots.Lay(lowest, index, reach, total);
            model.clear();
            for (const auto& [slot, bytes] : sizes) {
              Fill(layout.Place(slot, bytes), bytes, static_cast<uint8_t>(step), model[slot]);
            }
          }
      }
      ExpectSame(slots, model, step);
    }
  }
  EXPECT_EQ(object_store::BytesInUse(), before);
}

// A row of many languages read slot after slot is copied a few times as it grows, not once a
// slot (which made reading it quadratic in the number of languages).
TEST(ValueSlots, GrowALongRowInFewSteps) {
  TValueSlots slots;
  const size_t allocations = object_store::Allocations();
  for (int32_t index = 1; index <= 1000; ++index) {
    std::memset(slots.Reserve(index, 12, 1001), index & 0xFF, 12);
  }
  EXPECT_LT(object_store::Allocations() - allocations, 60u);
  int32_t size = 0;
  EXPECT_EQ(slots.Value(1000, size)[0], 1000 & 0xFF);
}

}  // namespace
}  // namespace wdx
