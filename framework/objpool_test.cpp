// The pools of framework objects: memory handed out once, returned, reused,
// and safe across threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "fwtest_classes.h"
#include "objpool.h"

namespace {

TEST(ObjectPool, EverySizeGetsDistinctAlignedWritableMemory) {
  std::vector<std::pair<BYTE*, size_t>> blocks;
  for (size_t size = 0; size <= qel::kMaxPooledBytes + 40; ++size) {
    auto* p = static_cast<BYTE*>(qel::AllocateObjectMemory(size));
    ASSERT_NE(p, nullptr) << size;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 8, 0u) << size;
    std::memset(p, (int)(size & 0xFF), size);
    blocks.emplace_back(p, size);
  }
  for (const auto& [p, size] : blocks)  // no block overlapped another
    for (size_t i = 0; i < size; ++i) ASSERT_EQ(p[i], (BYTE)(size & 0xFF)) << size;
  for (const auto& [p, size] : blocks) qel::FreeObjectMemory(p);
  qel::FreeObjectMemory(nullptr);
}

TEST(ObjectPool, FreedSlotsAreReusedAndEmptyChunksGoBack) {
  const size_t before = qel::PooledChunkCount();
  std::vector<void*> many;
  for (int i = 0; i < 20000; ++i) many.push_back(qel::AllocateObjectMemory(40));  // ~12 chunks
  EXPECT_GT(qel::PooledChunkCount(), before + 5);
  void* last = many.back();
  qel::FreeObjectMemory(last);
  EXPECT_EQ(qel::AllocateObjectMemory(40), last);
  for (void* p : many) qel::FreeObjectMemory(p);
  EXPECT_LE(qel::PooledChunkCount(), before + 1);  // one spare chunk may stay
}

TEST(ObjectPool, ObjectsOfEveryFormOfNewComeAndGo) {
  const int live = CCountedObject::s_live;
  std::unique_ptr<CTestItem> plain(new CTestItem);
  std::unique_ptr<CTestItem> nothrow(new (std::nothrow) CTestItem);
  ASSERT_NE(nothrow, nullptr);
  alignas(CTestItem) BYTE storage[sizeof(CTestItem)];
  CTestItem* placed = new (storage) CTestItem;
  EXPECT_EQ(static_cast<void*>(placed), static_cast<void*>(storage));
  placed->~CTestItem();
  struct CBig : CObject {
    BYTE bytes[qel::kMaxPooledBytes * 4];
  };
  std::unique_ptr<CObject> big(new CBig);  // from the heap, and back to it
  EXPECT_EQ(CCountedObject::s_live, live + 2);
}

// Several threads make and free objects at once; each checks its own bytes.
TEST(ObjectPool, ThreadsShareThePoolsSafely) {
  auto work = [](int seed, bool* ok) {
    std::vector<BYTE*> mine;
    for (int round = 0; round < 200; ++round) {
      for (int i = 0; i < 50; ++i) {
        size_t size = 8 + (seed * 7 + i * 13) % 200;
        auto* p = static_cast<BYTE*>(qel::AllocateObjectMemory(size));
        std::memset(p, seed, size);
        mine.push_back(p);
      }
      for (size_t i = 0; i < mine.size(); i += 2) {
        if (mine[i][0] != seed) *ok = false;
        qel::FreeObjectMemory(mine[i]);
      }
      std::vector<BYTE*> kept;
      for (size_t i = 1; i < mine.size(); i += 2) kept.push_back(mine[i]);
      mine.swap(kept);
    }
    for (BYTE* p : mine) {
      if (p[0] != seed) *ok = false;
      qel::FreeObjectMemory(p);
    }
  };
  bool ok[4] = {true, true, true, true};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(work, t + 1, &ok[t]);
  for (std::thread& t : threads) t.join();
  for (bool b : ok) EXPECT_TRUE(b);
}

}  // namespace
