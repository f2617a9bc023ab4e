// The tag cache on its own: first reads, refresh batches, names and values.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runharness.h"
#include "tagcache.h"

using runtest::FakeHost;
using runtest::IntValue;

namespace {

class TagCacheTest : public ::testing::Test {
 protected:
  CTagCache cache;
  FakeHost host;
  HostCallbackBlock table = host.Table();
};

// Caches the tags "n<from>" to "n<to - 1>" (no host: each is kept unread).
void CacheTags(CTagCache& cache, int from, int to) {
  const HostCallbackBlock none = {};
  QB_VALUE v = {};
  for (int i = from; i < to; ++i) cache.FindTag(("n" + std::to_string(i)).c_str(), &v, none);
}

TEST_F(TagCacheTest, ThousandsOfTagsComeInWithoutRehashingTheMap) {
  // The map is laid out once with 3,337 buckets (at least: the hash map
  // rounds up to a size of its own), so a picture's first reads of thousands
  // of tags never stop to rehash.
  const size_t buckets = cache.GetBucketCount();
  EXPECT_GE(buckets, 3337u);
  CacheTags(cache, 0, 3337);
  EXPECT_EQ(cache.GetCount(), 3337u);
  EXPECT_EQ(cache.GetBucketCount(), buckets);
  // A picture load empties the cache and keeps the buckets.
  cache.Clear();
  EXPECT_EQ(cache.GetCount(), 0u);
  EXPECT_EQ(cache.GetBucketCount(), buckets);
  cache.Reset();
  EXPECT_EQ(cache.GetBucketCount(), buckets);
}

TEST_F(TagCacheTest, TheRecordListGrowsBy2048) {
  EXPECT_EQ(cache.GetRecordRoom(), 2048u);
  CacheTags(cache, 0, 2048);
  EXPECT_EQ(cache.GetRecordRoom(), 2048u);
  CacheTags(cache, 2048, 2049);
  EXPECT_EQ(cache.GetRecordRoom(), 4096u);
  CacheTags(cache, 2049, 4097);
  EXPECT_EQ(cache.GetRecordRoom(), 6144u);
  // Every tag stays answerable from its record after the list has grown.
  QB_VALUE v = {};
  EXPECT_EQ(cache.FindTag("n0", &v, table), 1);
  EXPECT_EQ(v.status, 'C');
  EXPECT_TRUE(host.readCounts.empty());
}

TEST_F(TagCacheTest, FirstReadAsksTheHostOnceThenTheCacheAnswers) {
  host.values["泵1"] = IntValue(7);
  QB_VALUE v = {};
  EXPECT_EQ(cache.FindTag("泵1", &v, table), 1);
  EXPECT_EQ(v.data.i32, 7);
  host.values["泵1"] = IntValue(8);
  EXPECT_EQ(cache.FindTag("泵1", &v, table), 1);
  EXPECT_EQ(v.data.i32, 7);  // from the cache
  EXPECT_EQ(host.readCounts, (std::vector<int>{1}));
}

TEST_F(TagCacheTest, FailedFirstReadCachesStatusC) {
  host.readResult = 31;
  QB_VALUE v = {};
  v.data.i32 = 5;
  EXPECT_EQ(cache.FindTag("a", &v, table), 0);
  EXPECT_EQ(v.status, 'C');
  EXPECT_EQ(v.type, 0);
  EXPECT_EQ(v.data.i64, 0);  // nothing of what the failing host wrote
  EXPECT_EQ(cache.GetCount(), 1u);
  // Known now: answered from the cache without a call.
  EXPECT_EQ(cache.FindTag("a", &v, table), 1);
  EXPECT_EQ(host.readCounts.size(), 1u);
}

TEST_F(TagCacheTest, WithoutHostTableTheRecordIsCachedUnread) {
  HostCallbackBlock none = {};
  QB_VALUE v = {};
  EXPECT_EQ(cache.FindTag("a", &v, none), 0);
  EXPECT_EQ(v.status, 'C');
  EXPECT_EQ(cache.GetCount(), 1u);
  cache.RefreshTags(none);  // nothing to call, nothing breaks
}

TEST_F(TagCacheTest, BadNamesAndOutputsGiveZeroAndCacheNothing) {
  QB_VALUE v = {};
  EXPECT_EQ(cache.FindTag(nullptr, &v, table), 0);
  EXPECT_EQ(cache.FindTag("", &v, table), 0);
  EXPECT_EQ(cache.FindTag("a", nullptr, table), 0);
  EXPECT_EQ(cache.FindTag(std::string(80, 'x').c_str(), &v, table), 0);
  EXPECT_EQ(cache.GetCount(), 0u);
  EXPECT_TRUE(host.readCounts.empty());
  EXPECT_EQ(cache.FindTag(std::string(79, 'x').c_str(), &v, table), 1);
  EXPECT_EQ(cache.GetCount(), 1u);
}

TEST_F(TagCacheTest, RefreshSendsBatchesInOrderOfFirstUse) {
  QB_VALUE v = {};
  for (int i = 0; i < 1025; ++i) cache.FindTag(("t" + std::to_string(i)).c_str(), &v, table);
  host.readCounts.clear();
  host.firstNames.clear();
  cache.RefreshTags(table);
  EXPECT_EQ(host.readCounts, (std::vector<int>{1024, 1}));
  EXPECT_EQ(host.firstNames, (std::vector<std::string>{"t0", "t1024"}));
}

TEST_F(TagCacheTest, AFailingBatchStillLetsTheNextOneThrough) {
  QB_VALUE v = {};
  for (int i = 0; i < 1030; ++i) cache.FindTag(("t" + std::to_string(i)).c_str(), &v, table);
  host.values["t0"] = IntValue(1);
  host.values["t1029"] = IntValue(2);
  // Fail only the first call of the refresh.
  struct Once {
    static int __stdcall Read(void* context, QB_TAGVALUE* records, int count) {
      static int calls = 0;
      auto* h = static_cast<FakeHost*>(context);
      if (calls++ == 0) return 1;
      for (int i = 0; i < count; ++i) {
        auto it = h->values.find(records[i].name);
        if (it != h->values.end()) records[i].value = it->second;
      }
      return 0;
    }
  };
  HostCallbackBlock once = table;
  once.pfnReadReal = Once::Read;
  cache.RefreshTags(once);
  cache.FindTag("t0", &v, table);
  EXPECT_EQ(v.data.i32, 0);
  cache.FindTag("t1029", &v, table);
  EXPECT_EQ(v.data.i32, 2);
}

TEST_F(TagCacheTest, StoreTakesOnlyTheValueOfAKnownName) {
  QB_VALUE v = {};
  cache.FindTag("a", &v, table);
  QB_TAGVALUE back = {};
  std::strcpy(back.name, "a");
  back.value = IntValue(42);
  cache.StoreTagValue(back);
  std::strcpy(back.name, "b");
  cache.StoreTagValue(back);                      // unknown: ignored
  std::memset(back.name, 'a', sizeof back.name);  // no terminator: ignored
  cache.StoreTagValue(back);
  EXPECT_EQ(cache.GetCount(), 1u);
  cache.FindTag("a", &v, table);
  EXPECT_EQ(v.data.i32, 42);
}

TEST_F(TagCacheTest, NamesAreCaseSensitive) {
  QB_VALUE v = {};
  cache.FindTag("Pump", &v, table);
  cache.FindTag("pump", &v, table);
  EXPECT_EQ(cache.GetCount(), 2u);
}

TEST_F(TagCacheTest, ClearForgetsEveryRecord) {
  QB_VALUE v = {};
  cache.FindTag("a", &v, table);
  cache.Clear();
  EXPECT_EQ(cache.GetCount(), 0u);
  host.readCounts.clear();
  cache.RefreshTags(table);
  EXPECT_TRUE(host.readCounts.empty());
}

TEST_F(TagCacheTest, AHostThatCallsBackDuringARefreshBreaksNothing) {
  QB_VALUE v = {};
  for (int i = 0; i < 1500; ++i) cache.FindTag(("t" + std::to_string(i)).c_str(), &v, table);
  host.readCounts.clear();
  bool done = false;
  host.duringRead = [&] {
    if (done) return;
    done = true;
    // Inside the first batch: new tags (enough to move the record list)
    // and a nested refresh, which is skipped.
    for (int i = 0; i < 3000; ++i) cache.FindTag(("n" + std::to_string(i)).c_str(), &v, table);
    cache.RefreshTags(table);
  };
  cache.RefreshTags(table);
  host.duringRead = nullptr;
  EXPECT_EQ(cache.GetCount(), 1500u + 3000u);
  // The outer refresh sent the 1,500 tags it started with, in two batches;
  // the first reads of the new tags came in between.
  int batches = 0;
  for (int n : host.readCounts)
    if (n > 1) ++batches;
  EXPECT_EQ(batches, 2);
}

TEST_F(TagCacheTest, AHostThatEmptiesTheCacheDuringARefreshBreaksNothing) {
  QB_VALUE v = {};
  for (int i = 0; i < 2000; ++i) cache.FindTag(("t" + std::to_string(i)).c_str(), &v, table);
  host.readCounts.clear();
  host.duringRead = [&] { cache.Clear(); };
  cache.RefreshTags(table);
  host.duringRead = nullptr;
  EXPECT_EQ(host.readCounts, (std::vector<int>{1024}));
  EXPECT_EQ(cache.GetCount(), 0u);
}

}  // namespace
