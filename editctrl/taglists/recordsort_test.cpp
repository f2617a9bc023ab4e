// The record quicksort: whole records move, every size of range is sorted in
// both directions, and nothing happens where nothing should.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "recordsort.h"

namespace {

// Records of 12 bytes: a key, then the record's original place twice, so
// that a record torn apart by the sort shows.
struct Item {
  int key;
  int place;
  int check;
};

class CItemBuffer : public CRecordBuffer {
 public:
  CItemBuffer() { Init(sizeof(Item), 16); }
  int Compare(const void* a, const void* b, int ascending, int) const override {
    ++calls;
    const int ka = static_cast<const Item*>(a)->key, kb = static_cast<const Item*>(b)->key;
    const int result = ka == kb ? 0 : (ka < kb ? -1 : 1);
    return ascending ? result : -result;
  }
  mutable long calls = 0;
};

std::vector<Item> Items(const std::vector<int>& keys) {
  std::vector<Item> items;
  for (int i = 0; i < (int)keys.size(); ++i) items.push_back({keys[i], i, i});
  return items;
}

void ExpectSortedPermutation(const std::vector<Item>& sorted, const std::vector<int>& keys, bool ascending) {
  ASSERT_EQ(keys.size(), sorted.size());
  std::vector<bool> seen(keys.size());
  for (size_t i = 0; i < sorted.size(); ++i) {
    const Item& item = sorted[i];
    ASSERT_EQ(item.place, item.check) << "record torn apart at " << i;
    ASSERT_GE(item.place, 0);
    ASSERT_LT(item.place, (int)keys.size());
    ASSERT_FALSE(seen[item.place]) << "record " << item.place << " twice";
    seen[item.place] = true;
    EXPECT_EQ(keys[item.place], item.key);
    if (i > 0) {
      if (ascending)
        EXPECT_LE(sorted[i - 1].key, item.key) << i;
      else
        EXPECT_GE(sorted[i - 1].key, item.key) << i;
    }
  }
}

TEST(QuickSortRecords, SortsEverySizeOfRangeInBothDirections) {
  std::mt19937 random(7);
  // Around the short-range limit of 8, and larger arrays with few and many
  // distinct keys.
  const int sizes[] = {2, 3, 7, 8, 9, 10, 17, 100, 1000, 5000};
  const int spreads[] = {1, 3, 1000000};
  for (int size : sizes)
    for (int spread : spreads)
      for (int ascending : {1, 0}) {
        std::vector<int> keys(size);
        for (int& k : keys) k = (int)(random() % spread) - spread / 2;
        std::vector<Item> items = Items(keys);
        CItemBuffer comparator;
        QuickSortRecords(comparator, items.data(), size, sizeof(Item), ascending, 1);
        SCOPED_TRACE(testing::Message()
                     << size << " records, " << spread << " keys, ascending " << ascending);
        ExpectSortedPermutation(items, keys, ascending != 0);
      }
}

TEST(QuickSortRecords, PresortedAndReversedArraysStayFast) {
  for (bool reversed : {false, true}) {
    std::vector<int> keys(20000);
    for (int i = 0; i < 20000; ++i) keys[i] = reversed ? -i : i;
    std::vector<Item> items = Items(keys);
    CItemBuffer comparator;
    QuickSortRecords(comparator, items.data(), (int)items.size(), sizeof(Item), 1, 1);
    ExpectSortedPermutation(items, keys, true);
    // The middle record as the pivot halves such arrays: n log n, not n squared.
    EXPECT_LT(comparator.calls, 20000L * 40) << (reversed ? "reversed" : "presorted");
  }
}

TEST(QuickSortRecords, NothingHappensWithoutTwoRecordsOrARecordSize) {
  std::vector<Item> items = Items({3, 1, 2});
  const std::vector<Item> before = items;
  CItemBuffer comparator;
  QuickSortRecords(comparator, items.data(), 1, sizeof(Item), 1, 1);
  QuickSortRecords(comparator, items.data(), 0, sizeof(Item), 1, 1);
  QuickSortRecords(comparator, items.data(), -5, sizeof(Item), 1, 1);
  QuickSortRecords(comparator, items.data(), 3, 0, 1, 1);
  QuickSortRecords(comparator, nullptr, 3, sizeof(Item), 1, 1);
  EXPECT_EQ(0, std::memcmp(before.data(), items.data(), sizeof(Item) * items.size()));
  EXPECT_EQ(0, comparator.calls);
}

TEST(SortRecords, SortsAnArrayByItsOwnComparator) {
  CItemBuffer buffer;
  const std::vector<int> keys = {5, -1, 9, 5, 0, 12, 3, 3, 8, 1, 7};
  for (const Item& item : Items(keys)) buffer.Append(&item);
  SortRecords(buffer, 0, 1);
  std::vector<Item> sorted(buffer.GetCount());
  std::memcpy(sorted.data(), buffer.GetAt(0), sizeof(Item) * sorted.size());
  ExpectSortedPermutation(sorted, keys, false);
}

}  // namespace
