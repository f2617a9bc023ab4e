// The collections: list positions, arrays, the string map.
#include <gtest/gtest.h>

#include <iterator>
#include <list>
#include <map>
#include <stdexcept>
#include <vector>

#include "fwtest_classes.h"

namespace {

std::vector<int> Values(const CObList& list) {
  std::vector<int> v;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    v.push_back(static_cast<const CTestItem*>(list.GetNext(pos))->m_a);
  return v;
}

struct Items {
  CTestItem a[5];
  Items() {
    for (int i = 0; i < 5; ++i) a[i].m_a = i;
  }
};

TEST(CObListTest, InsertRemoveAndWalk) {
  Items it;
  CObList list;
  list.AddTail(&it.a[1]);
  list.AddHead(&it.a[0]);
  POSITION p3 = list.AddTail(&it.a[3]);
  list.InsertBefore(p3, &it.a[2]);
  list.InsertAfter(p3, &it.a[4]);
  EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(list.GetCount(), 5);
  EXPECT_EQ(list.Find(&it.a[3]), p3);
  EXPECT_EQ(list.Find(&it.a[3], p3), nullptr);
  EXPECT_EQ(list.FindIndex(3), p3);
  EXPECT_EQ(list.FindIndex(5), nullptr);
  EXPECT_EQ(list.FindIndex(-1), nullptr);
  list.RemoveAt(p3);
  EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(list.RemoveHead(), &it.a[0]);
  EXPECT_EQ(list.RemoveTail(), &it.a[4]);
  EXPECT_EQ(list.GetHead(), &it.a[1]);
  EXPECT_EQ(list.GetTail(), &it.a[2]);
  POSITION pos = list.GetTailPosition();
  EXPECT_EQ(list.GetPrev(pos), &it.a[2]);
  EXPECT_EQ(list.GetPrev(pos), &it.a[1]);
  EXPECT_EQ(pos, nullptr);
  list.SetAt(list.GetHeadPosition(), &it.a[3]);
  EXPECT_EQ(Values(list), (std::vector<int>{3, 2}));
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_THROW(list.RemoveHead(), std::out_of_range);
  EXPECT_THROW(list.GetHead(), std::out_of_range);
}

TEST(CObListTest, AppendsOtherLists) {
  Items it;
  CObList a, b;
  a.AddTail(&it.a[2]);
  b.AddTail(&it.a[0]);
  b.AddTail(&it.a[1]);
  a.AddHead(&b);
  a.AddTail(&b);
  EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 2, 0, 1}));
  b.AddTail(&b);
  EXPECT_EQ(Values(b), (std::vector<int>{0, 1, 0, 1}));
  b.AddHead(&b);
  EXPECT_EQ(Values(b), (std::vector<int>{0, 1, 0, 1, 0, 1, 0, 1}));
}

// Nodes come from blocks and are reused; the list behaves as a plain list.
TEST(CObListTest, NodesFromBlocksKeepTheOrderThroughInsertionsAndRemovals) {
  std::vector<CTestItem> items(500);
  for (int i = 0; i < 500; ++i) items[i].m_a = i;
  for (int blockSize : {1, 3, 10}) {
    CObList list(blockSize);
    std::list<int> model;
    for (int round = 0; round < 3; ++round) {
      for (int i = 0; i < 500; ++i) {
        if (i % 3 == 0) {
          list.AddHead(&items[i]);
          model.push_front(i);
        } else {
          list.AddTail(&items[i]);
          model.push_back(i);
        }
      }
      for (int i = 0; i < 200; ++i) {  // from the middle and both ends
        POSITION pos = list.FindIndex(list.GetCount() / 2);
        auto it = std::next(model.begin(), model.size() / 2);
        list.RemoveAt(pos);
        model.erase(it);
        if (i % 2) {
          list.RemoveHead();
          model.pop_front();
        }
      }
      std::vector<int> got;
      for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        got.push_back(static_cast<CTestItem*>(list.GetNext(pos))->m_a);
      ASSERT_EQ(got, std::vector<int>(model.begin(), model.end())) << blockSize;
      while (!list.IsEmpty()) list.RemoveTail();  // emptied, the blocks go back
      model.clear();
    }
  }
}

TEST(CObArrayTest, IndexingInsertRemove) {
  Items it;
  CObArray arr;
  EXPECT_EQ(arr.GetData(), nullptr);
  arr.Add(&it.a[0]);
  arr.Add(&it.a[2]);
  arr.InsertAt(1, &it.a[1]);
  arr.InsertAt(3, &it.a[4], 2);
  ASSERT_EQ(arr.GetSize(), 5);
  EXPECT_EQ(arr[1], &it.a[1]);
  EXPECT_EQ(arr.GetAt(4), &it.a[4]);
  arr.RemoveAt(3, 2);
  EXPECT_EQ(arr.GetCount(), 3);
  arr.SetAt(0, &it.a[3]);
  EXPECT_EQ(arr.GetData()[0], &it.a[3]);
  arr.ElementAt(2) = nullptr;
  EXPECT_EQ(arr[2], nullptr);
  EXPECT_THROW(arr.GetAt(3), std::out_of_range);
  EXPECT_THROW(arr.GetAt(-1), std::out_of_range);
  EXPECT_THROW(arr.RemoveAt(2, 2), std::out_of_range);
  arr.SetAtGrow(5, &it.a[0]);
  EXPECT_EQ(arr.GetSize(), 6);
  EXPECT_EQ(arr[4], nullptr);
  arr.SetSize(1);
  EXPECT_EQ(arr.GetUpperBound(), 0);
}

TEST(CObArrayTest, StoresCountThenReferences) {
  RegisterTestClasses();
  CTestOther o;
  CObArray arr;
  arr.Add(&o);
  arr.Add(&o);
  Bytes b = StoreBytes([&](CArchive& ar) { arr.Serialize(ar); });
  Bytes want;
  AppendWord(want, 2);
  AppendWord(want, 0xFFFF);
  AppendWord(want, 0);
  AppendWord(want, 10);
  Append(want, "CTestOther");
  AppendWord(want, 0);  // m_w
  AppendWord(want, 2);  // the same object again
  EXPECT_EQ(b, want);
}

TEST(ValueArraysTest, RoundTrip) {
  CDWordArray d;
  d.Add(1);
  d.Add(0xFFFFFFFF);
  CStringArray s;
  s.Add("一");
  s.Add(CString());
  s.Add("three");
  Bytes b = StoreBytes([&](CArchive& ar) {
    d.Serialize(ar);
    s.Serialize(ar);
  });
  EXPECT_EQ(b.size(), 2 + 8 + 2 + (1 + 2) + 1 + (1 + 5));
  CDWordArray d2;
  CStringArray s2;
  LoadBytes(b, [&](CArchive& ar) {
    d2.Serialize(ar);
    s2.Serialize(ar);
  });
  ASSERT_EQ(d2.GetSize(), 2);
  EXPECT_EQ(d2[1], 0xFFFFFFFFu);
  ASSERT_EQ(s2.GetSize(), 3);
  EXPECT_EQ(s2[0], "一");
  EXPECT_TRUE(s2[1].IsEmpty());
  EXPECT_EQ(s2[2], "three");
  CPtrArray p;
  p.Add(&d);
  EXPECT_EQ(p[0], &d);
}

TEST(CMapStringToPtrTest, LookupSetRemoveWalk) {
  CMapStringToPtr map;
  int values[300];
  for (int i = 0; i < 300; ++i) {
    CString key;
    key.Format("标签%d", i);
    map.SetAt(key, &values[i]);
  }
  EXPECT_EQ(map.GetCount(), 300);
  void* v = nullptr;
  EXPECT_TRUE(map.Lookup("标签17", v));
  EXPECT_EQ(v, &values[17]);
  EXPECT_FALSE(map.Lookup("标签300", v));
  EXPECT_FALSE(map.Lookup("标签17 ", v));
  map["标签17"] = &values[0];  // replaces
  EXPECT_EQ(map.GetCount(), 300);
  EXPECT_TRUE(map.Lookup("标签17", v));
  EXPECT_EQ(v, &values[0]);
  EXPECT_TRUE(map.RemoveKey("标签5"));
  EXPECT_FALSE(map.RemoveKey("标签5"));
  std::map<std::string, void*> seen;
  for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
    CString key;
    map.GetNextAssoc(pos, key, v);
    seen[key.str()] = v;
  }
  EXPECT_EQ(seen.size(), 299u);
  EXPECT_EQ(seen.count("标签5"), 0u);
  EXPECT_EQ(seen["标签299"], &values[299]);
  map.RemoveAll();
  EXPECT_EQ(map.GetStartPosition(), nullptr);
  EXPECT_EQ(map.GetCount(), 0);
  EXPECT_EQ(map["new"], nullptr);
}

TEST(CMapStringToPtrTest, KeysAreCaseSensitive) {
  CMapStringToPtr map;
  int a, b;
  map["Tag"] = &a;
  map["tag"] = &b;
  EXPECT_EQ(map.GetCount(), 2);
}

}  // namespace
