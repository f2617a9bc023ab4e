// The region index against a plain ordered map: random regions inserted and
// erased in random order, enough to split and empty many buckets; every
// lookup agrees with the map.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "vmregions.h"

namespace {

// Whether the index finds what the map says holds the address.
bool Agrees(const VmRegionIndex& index, const std::map<uintptr_t, VmRegion>& model, uintptr_t address) {
  const VmRegion* found = index.Find(address);
  auto it = model.upper_bound(address);
  const VmRegion* expected = nullptr;
  if (it != model.begin() && address - std::prev(it)->second.start < std::prev(it)->second.size)
    expected = &std::prev(it)->second;
  if (!found || !expected) return found == expected;
  return found->start == expected->start && found->size == expected->size && found->cells == expected->cells;
}

TEST(VmRegionIndex, AgreesWithAnOrderedMapThroughRandomInsertsAndErases) {
  std::mt19937 rng(7);
  VmRegionIndex index;
  std::map<uintptr_t, VmRegion> model;
  // Slots of 64 bytes; a region takes the start of a slot and up to its whole length.
  const uintptr_t base = 0x10000000;
  const uint32_t slots = 20000;
  for (int step = 0; step < 60000; ++step) {
    const uintptr_t start = base + 64 * (rng() % slots);
    auto it = model.find(start);
    if (it == model.end()) {
      VmRegion r{start, 1 + rng() % 64, rng() % 2};
      ASSERT_TRUE(index.Insert(r));
      model[start] = r;
    } else if (rng() % 3 == 0) {
      VmRegion removed;
      ASSERT_TRUE(index.Erase(start, &removed));
      EXPECT_EQ(removed.size, it->second.size);
      model.erase(it);
    }
    const uintptr_t probe = base - 64 + rng() % (64 * (slots + 2));
    ASSERT_TRUE(Agrees(index, model, probe)) << "step " << step << " address " << probe;
  }
  VmRegion removed;
  EXPECT_FALSE(index.Erase(base + 1, &removed));  // inside a slot: no region starts there
  for (const auto& entry : model) ASSERT_TRUE(index.Erase(entry.first, &removed));
  EXPECT_EQ(index.Find(base), nullptr);
  EXPECT_TRUE(index.Insert(VmRegion{base, 8, 0}));
  EXPECT_NE(index.Find(base + 7), nullptr);
  EXPECT_EQ(index.Find(base + 8), nullptr);
}

}  // namespace
