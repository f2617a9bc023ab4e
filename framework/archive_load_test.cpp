// Loading damaged streams: every failure is a CArchiveException, and nothing
// that was created before it leaks.
#include <gtest/gtest.h>

#include <memory>

#include "fwtest_classes.h"

namespace {

class ArchiveLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    live_ = CCountedObject::s_live;
  }
  void TearDown() override { EXPECT_EQ(CCountedObject::s_live, live_) << "objects leaked"; }

  // Loads a list as its owner would: on failure the owner deletes what the
  // list holds. Returns the failure cause, or -1.
  int LoadList(const Bytes& b, const CRuntimeClass* required, int bufSize = 4096) {
    CObList list;
    int cause = LoadFailureCause(
        b, [&](CArchive& ar) { list.Serialize(ar, required); }, bufSize);
    DeleteContents(list);
    return cause;
  }
  int live_ = 0;
};

Bytes ClassRecord(const char* name, WORD schema = 0) {
  Bytes b;
  AppendWord(b, 0xFFFF);
  AppendWord(b, schema);
  AppendWord(b, (WORD)strlen(name));
  Append(b, name);
  return b;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const auto& p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}

Bytes Word(WORD w) {
  Bytes b;
  AppendWord(b, w);
  return b;
}
Bytes Dword(DWORD d) {
  Bytes b;
  AppendDword(b, d);
  return b;
}

// A CTestOther object's fields.
Bytes OtherFields() { return Word(5); }

// Two layers holding items and a pair with back references: every kind of record.
Bytes RichStream() {
  CObList layers;
  for (int l = 0; l < 2; ++l) {
    auto* layer = new CPicLayer;
    layer->m_name = l ? "第二层" : "top";
    for (int i = 0; i < 3; ++i) {
      auto* item = new CTestItem;
      item->m_a = i;
      item->m_s = CString('q', i * 100);  // some strings use the word prefix
      layer->m_objects.AddTail(item);
    }
    auto* pair = new CTestPair;
    pair->m_p1 = layer->m_objects.GetHead();
    pair->m_p2 = layers.IsEmpty() ? nullptr : layers.GetHead();
    layer->m_objects.AddTail(pair);
    layer->m_objects.AddTail(new CTestOther);
    layers.AddTail(layer);
  }
  Bytes b = StoreBytes([&](CArchive& ar) { layers.Serialize(ar); });
  DeleteContents(layers);
  return b;
}

TEST_F(ArchiveLoadTest, RichStreamLoads) { EXPECT_EQ(LoadList(RichStream(), RUNTIME_CLASS(CPicLayer)), -1); }

TEST_F(ArchiveLoadTest, EveryCutPointFailsCleanly) {
  const Bytes full = RichStream();
  for (int bufSize : {4096, 7}) {
    for (size_t cut = 0; cut < full.size(); ++cut) {
      Bytes part(full.begin(), full.begin() + cut);
      ASSERT_EQ(LoadList(part, RUNTIME_CLASS(CPicLayer), bufSize), CArchiveException::endOfFile)
          << "cut at " << cut;
      ASSERT_EQ(CCountedObject::s_live, live_) << "leak at cut " << cut;
    }
  }
}

struct DamagedCase {
  const char* what;
  Bytes bytes;
  int cause;
};

TEST_F(ArchiveLoadTest, DamagedStreamsRaiseTheirCause) {
  const Bytes item = Cat({ClassRecord("CTestItem"), Dword(1), Dword(2), Bytes(8, 0), Bytes{0}});
  const DamagedCase cases[] = {
      {"unknown class", Cat({Word(1), ClassRecord("CNoSuchThing")}), CArchiveException::badClass},
      {"class that is not serializable", Cat({Word(1), ClassRecord("CCountedObject")}),
       CArchiveException::badClass},
      {"wrong schema", Cat({Word(1), ClassRecord("CTestItem", 1)}), CArchiveException::badSchema},
      {"object index never assigned", Cat({Word(1), Word(5)}), CArchiveException::badIndex},
      {"class index never assigned", Cat({Word(1), Word(0x8003)}), CArchiveException::badIndex},
      {"class index zero", Cat({Word(1), Word(0x8000)}), CArchiveException::badIndex},
      {"big class index never assigned", Cat({Word(1), Word(0x7FFF), Dword(0x80000009)}),
       CArchiveException::badIndex},
      {"big object index never assigned", Cat({Word(1), Word(0x7FFF), Dword(0x12345)}),
       CArchiveException::badIndex},
      {"object index naming a class", Cat({Word(2), item, Word(1)}), CArchiveException::badIndex},
      {"class index naming an object", Cat({Word(2), item, Word(0x8002)}), CArchiveException::badIndex},
      {"element of another class", Cat({Word(1), ClassRecord("CTestOther"), OtherFields()}),
       CArchiveException::badClass},
      {"second element of another class", Cat({Word(2), item, ClassRecord("CTestOther"), OtherFields()}),
       CArchiveException::badClass},
      {"null element", Cat({Word(2), item, Word(0)}), CArchiveException::badClass},
      {"element owned twice", Cat({Word(2), item, Word(2)}), CArchiveException::badIndex},
      {"huge count", Cat({Word(0xFFFF), Dword(0x7FFFFFFF), Word(0)}), CArchiveException::endOfFile},
      {"huge string",
       Cat({Word(1), ClassRecord("CTestItem"), Dword(1), Dword(2), Bytes(8, 0), Bytes{0xFF, 0xFF, 0xFF},
            Dword(0x7FFFFFFF), Bytes{1, 2}}),
       CArchiveException::endOfFile},
      {"unused string length form",
       Cat({Word(1), ClassRecord("CTestItem"), Dword(1), Dword(2), Bytes(8, 0), Bytes{0xFF, 0xFE, 0xFF}}),
       CArchiveException::generic},
      {"huge class name", Cat({Word(1), Word(0xFFFF), Word(0), Word(0xFFF0), Bytes{'C'}}),
       CArchiveException::endOfFile},
  };
  for (const auto& c : cases) EXPECT_EQ(LoadList(c.bytes, RUNTIME_CLASS(CTestItem)), c.cause) << c.what;
}

// The second list refers back to an object that the first list owns.
TEST_F(ArchiveLoadTest, ObjectOwnedByAnotherListIsRefused) {
  CTestItem* shared = new CTestItem;
  CObList a, b;
  a.AddTail(shared);
  b.AddTail(shared);
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    a.Serialize(ar);
    b.Serialize(ar);
  });
  a.RemoveAll();
  b.RemoveAll();
  delete shared;
  CObList la, lb;
  int cause = LoadFailureCause(bytes, [&](CArchive& ar) {
    la.Serialize(ar, RUNTIME_CLASS(CTestItem));
    lb.Serialize(ar, RUNTIME_CLASS(CTestItem));
  });
  EXPECT_EQ(cause, CArchiveException::badIndex);
  EXPECT_EQ(la.GetCount(), 1);
  EXPECT_EQ(lb.GetCount(), 0);
  DeleteContents(la);
  DeleteContents(lb);
}

// A layer whose own list holds the layer itself would own itself.
TEST_F(ArchiveLoadTest, ElementStillBeingReadIsRefused) {
  Bytes b = Cat({Word(1), ClassRecord("CPicLayer"), Bytes{0}, Bytes{0}, Word(1), Word(2)});
  EXPECT_EQ(LoadList(b, RUNTIME_CLASS(CPicLayer)), CArchiveException::badIndex);
}

// A plain (borrowed) reference may point at an object a list owns.
TEST_F(ArchiveLoadTest, BorrowedReferenceToAListElementIsFine) {
  CObList list;
  auto* item = new CTestItem;
  list.AddTail(item);
  CTestPair pair;
  pair.m_p1 = item;
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    list.Serialize(ar);
    ar << &pair;
  });
  DeleteContents(list);
  CObList back;
  CTestPair* p = nullptr;
  LoadBytes(bytes, [&](CArchive& ar) {
    back.Serialize(ar, RUNTIME_CLASS(CTestItem));
    ar >> p;
  });
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->m_p1, back.GetHead());
  delete p;
  DeleteContents(back);
}

TEST_F(ArchiveLoadTest, TypedReadChecksTheClass) {
  CTestOther other;
  Bytes b = StoreBytes([&](CArchive& ar) { ar << &other; });
  CTestItem* p = nullptr;
  EXPECT_EQ(LoadFailureCause(b, [&](CArchive& ar) { ar >> p; }), CArchiveException::badClass);
  EXPECT_EQ(p, nullptr);
}

TEST_F(ArchiveLoadTest, HugeCountsOfEveryCollectionFailCleanly) {
  const Bytes huge = Cat({Word(0xFFFF), Dword(0x7FFFFFFF), Dword(0)});  // 10 bytes
  CObArray oa;
  CDWordArray da;
  CStringArray sa;
  EXPECT_EQ(LoadFailureCause(huge, [&](CArchive& ar) { oa.Serialize(ar, RUNTIME_CLASS(CTestItem)); }),
            CArchiveException::endOfFile);
  EXPECT_EQ(LoadFailureCause(huge, [&](CArchive& ar) { da.Serialize(ar); }), CArchiveException::endOfFile);
  EXPECT_EQ(LoadFailureCause(huge, [&](CArchive& ar) { sa.Serialize(ar); }), CArchiveException::endOfFile);
  EXPECT_EQ(oa.GetSize(), 0);
  // Two DWORDs promised but one given.
  EXPECT_EQ(LoadFailureCause(Cat({Word(2), Dword(7)}), [&](CArchive& ar) { da.Serialize(ar); }),
            CArchiveException::endOfFile);
}

TEST_F(ArchiveLoadTest, ArrayLoadFailureLeavesReadElementsForTheOwner) {
  CObArray arr;
  arr.Add(new CTestItem);
  arr.Add(new CTestItem);
  arr.Add(new CTestOther);
  Bytes b = StoreBytes([&](CArchive& ar) { arr.Serialize(ar); });
  for (int i = 0; i < arr.GetSize(); ++i) delete arr[i];
  CObArray back;
  EXPECT_EQ(LoadFailureCause(b, [&](CArchive& ar) { back.Serialize(ar, RUNTIME_CLASS(CTestItem)); }),
            CArchiveException::badClass);
  ASSERT_EQ(back.GetSize(), 3);
  EXPECT_NE(back[0], nullptr);
  EXPECT_NE(back[1], nullptr);
  EXPECT_EQ(back[2], nullptr);
  for (int i = 0; i < back.GetSize(); ++i) delete back[i];
}

// A list holding one test layer that holds one more, `depth` layers in all
// (the innermost empty): each layer is one more level of nesting.
Bytes NestedLayers(int depth) {
  Bytes b = Word(1);
  for (int level = 1; level <= depth; ++level) {
    const Bytes tag = level == 1 ? ClassRecord("CPicLayer") : Word(0x8001);
    b.insert(b.end(), tag.begin(), tag.end());
    b.insert(b.end(), {0, 0});  // name and second string, both empty
    AppendWord(b, level < depth ? 1 : 0);
  }
  return b;
}

// The same chain built in memory.
CObList* NestedLayerList(int depth) {
  auto* list = new CObList;
  CObList* inner = list;
  for (int level = 1; level <= depth; ++level) {
    auto* layer = new CPicLayer;
    layer->m_name.Empty();
    inner->AddTail(layer);
    inner = &layer->m_objects;
  }
  return list;
}

TEST_F(ArchiveLoadTest, NestingUpToTheBoundLoadsAndStoresAgain) {
  std::unique_ptr<CObList> chain(NestedLayerList(CArchive::kMaxNesting));
  const Bytes bytes = StoreBytes([&](CArchive& ar) { chain->Serialize(ar); });
  DeleteContents(*chain);
  ASSERT_EQ(bytes, NestedLayers(CArchive::kMaxNesting));
  CObList back;
  LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar, RUNTIME_CLASS(CPicLayer)); });
  EXPECT_EQ(StoreBytes([&](CArchive& ar) { back.Serialize(ar); }), bytes);
  DeleteContents(back);
}

TEST_F(ArchiveLoadTest, NestingDeeperThanTheBoundFailsTooDeep) {
  for (int depth : {CArchive::kMaxNesting + 1, 10000})
    EXPECT_EQ(LoadList(NestedLayers(depth), RUNTIME_CLASS(CPicLayer)), CArchiveException::tooDeep) << depth;
}

TEST_F(ArchiveLoadTest, ChainTooDeepToBeReadBackIsNotStored) {
  std::unique_ptr<CObList> chain(NestedLayerList(CArchive::kMaxNesting + 1));
  int cause = -1;
  try {
    StoreBytes([&](CArchive& ar) { chain->Serialize(ar); });
  } catch (CArchiveException& e) {
    cause = e.m_cause;
  }
  EXPECT_EQ(cause, CArchiveException::tooDeep);
  DeleteContents(*chain);
}

TEST_F(ArchiveLoadTest, ArchiveRefusesReadingAfterAFailedObject) {
  Bytes b = Cat({Word(1), ClassRecord("CPicLayer"), Bytes{0}, Bytes{0}, Word(1), Word(0x55)});
  CObList list;
  LoadBytes(b, [&](CArchive& ar) {
    try {
      list.Serialize(ar, RUNTIME_CLASS(CPicLayer));
      FAIL();
    } catch (CArchiveException&) {
    }
    try {
      BYTE x;
      ar >> x;
      FAIL();
    } catch (CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::generic);
    }
  });
  EXPECT_TRUE(list.IsEmpty());
}

// The same with bytes still buffered behind the failed object: values and
// strings that would fit the buffer are refused too.
TEST_F(ArchiveLoadTest, BufferedBytesAreRefusedAfterAFailedObject) {
  Bytes b = Cat({Word(1), ClassRecord("CPicLayer"), Bytes{0}, Bytes{0}, Word(1), Word(0x55), Dword(7),
                 Bytes{3, 'a', 'b', 'c'}});
  CObList list;
  LoadBytes(b, [&](CArchive& ar) {
    EXPECT_THROW(list.Serialize(ar, RUNTIME_CLASS(CPicLayer)), CArchiveException);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        if (attempt == 0) {
          DWORD d;
          ar >> d;
        } else {
          CString s;
          ar >> s;
        }
        FAIL() << attempt;
      } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::generic) << attempt;
      }
    }
  });
  EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
