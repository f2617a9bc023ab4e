// The archive's bytes: primitives, strings, counts, object and class records.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fwtest_classes.h"

namespace {

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClasses();
    live_ = CCountedObject::s_live;
  }
  void TearDown() override { EXPECT_EQ(CCountedObject::s_live, live_) << "objects leaked"; }
  int live_ = 0;
};

Bytes LayerListBytes(int layers) {
  CObList list;
  for (int i = 0; i < layers; ++i) list.AddTail(new CPicLayer);
  Bytes b = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
  DeleteContents(list);
  return b;
}

TEST_F(ArchiveTest, LayerListIsTheWorkedExample) {
  Bytes want;
  AppendWord(want, 1);
  AppendWord(want, 0xFFFF);
  AppendWord(want, 0);
  AppendWord(want, 9);
  Append(want, "CPicLayer");
  want.push_back(7);
  Append(want, "default");
  want.push_back(0);
  AppendWord(want, 0);
  EXPECT_EQ(LayerListBytes(1), want);
}

TEST_F(ArchiveTest, SecondLayerStartsWithTheClassIndex) {
  Bytes b = LayerListBytes(2);
  Bytes one = LayerListBytes(1);
  // count 2, then the first layer as before, then 01 80 and the fields.
  ASSERT_EQ(b.size(), one.size() + 2 + 1 + 7 + 1 + 2);
  size_t second = one.size();
  EXPECT_EQ(b[0], 2);
  EXPECT_EQ(b[second], 0x01);
  EXPECT_EQ(b[second + 1], 0x80);
  EXPECT_EQ(b[second + 2], 7);
}

TEST_F(ArchiveTest, LayerListLoadsBack) {
  CObList list;
  LoadBytes(LayerListBytes(2), [&](CArchive& ar) { list.Serialize(ar, RUNTIME_CLASS(CPicLayer)); });
  ASSERT_EQ(list.GetCount(), 2);
  auto* layer = static_cast<CPicLayer*>(list.GetHead());
  EXPECT_EQ(layer->m_name, "default");
  EXPECT_TRUE(layer->m_second.IsEmpty());
  EXPECT_TRUE(layer->m_objects.IsEmpty());
  EXPECT_NE(list.GetHead(), list.GetTail());
  DeleteContents(list);
}

TEST_F(ArchiveTest, PrimitivesAreLittleEndianAndPacked) {
  Bytes b = StoreBytes([](CArchive& ar) {
    ar << (BYTE)0x11 << (WORD)0x2233 << (short)-2 << (int)0x44556677 << (LONG)-1 << (DWORD)0x8899AABB
       << (UINT)5 << 1.0f << 1.0;
  });
  const Bytes want = {0x11, 0x33, 0x22, 0xFE, 0xFF, 0x77, 0x66, 0x55, 0x44, 0xFF, 0xFF,
                      0xFF, 0xFF, 0xBB, 0xAA, 0x99, 0x88, 5,    0,    0,    0,    0x00,
                      0x00, 0x80, 0x3F, 0,    0,    0,    0,    0,    0,    0xF0, 0x3F};
  EXPECT_EQ(b, want);
  BYTE by;
  WORD w;
  short s;
  int i;
  LONG l;
  DWORD d;
  UINT u;
  float f;
  double db;
  LoadBytes(b, [&](CArchive& ar) { ar >> by >> w >> s >> i >> l >> d >> u >> f >> db; });
  EXPECT_EQ(by, 0x11);
  EXPECT_EQ(w, 0x2233);
  EXPECT_EQ(s, -2);
  EXPECT_EQ(i, 0x44556677);
  EXPECT_EQ(l, -1);
  EXPECT_EQ(d, 0x8899AABBu);
  EXPECT_EQ(u, 5u);
  EXPECT_EQ(f, 1.0f);
  EXPECT_EQ(db, 1.0);
}

struct PrefixCase {
  int length;
  Bytes prefix;
};

TEST_F(ArchiveTest, StringPrefixesByLength) {
  const PrefixCase cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const auto& c : cases) {
    CString s('x', c.length);
    Bytes b = StoreBytes([&](CArchive& ar) { ar << s; });
    ASSERT_EQ(b.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(Bytes(b.begin(), b.begin() + c.prefix.size()), c.prefix) << c.length;
    CString back;
    LoadBytes(b, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, s) << c.length;
  }
}

TEST_F(ArchiveTest, GbkBytesPassUnchanged) {
  CString s = "画面层管理";
  Bytes b = StoreBytes([&](CArchive& ar) { ar << s; });
  ASSERT_EQ(b.size(), 11u);
  EXPECT_EQ(b[0], 10);
  EXPECT_EQ(b[1], 0xBB);  // 画 in GBK: BB AD
  EXPECT_EQ(b[2], 0xAD);
}

TEST_F(ArchiveTest, CountsUseTheWordEscape) {
  const std::pair<DWORD, Bytes> cases[] = {{0, {0, 0}},
                                           {0xFFFE, {0xFE, 0xFF}},
                                           {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0}},
                                           {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0}}};
  for (const auto& c : cases) {
    Bytes b = StoreBytes([&](CArchive& ar) { ar.WriteCount(c.first); });
    EXPECT_EQ(b, c.second) << c.first;
    DWORD back = 0;
    b.resize(b.size() + c.first);  // room for the counted items
    LoadBytes(b, [&](CArchive& ar) { back = ar.ReadCount(); });
    EXPECT_EQ(back, c.first);
  }
}

TEST_F(ArchiveTest, EmptyListIsTwoZeroBytes) {
  CObList list;
  EXPECT_EQ(StoreBytes([&](CArchive& ar) { list.Serialize(ar); }), (Bytes{0, 0}));
}

TEST_F(ArchiveTest, NullReferenceIsWordZero) {
  EXPECT_EQ(StoreBytes([](CArchive& ar) { ar << (CObject*)nullptr; }), (Bytes{0, 0}));
  CTestItem* p = reinterpret_cast<CTestItem*>(1);
  LoadBytes({0, 0}, [&](CArchive& ar) { ar >> p; });
  EXPECT_EQ(p, nullptr);
}

TEST_F(ArchiveTest, ObjectReferencedTwiceIsWrittenOnceAndLoadsAsOne) {
  CTestItem item;
  item.m_a = 7;
  CTestPair pair;
  pair.m_p1 = pair.m_p2 = &item;
  Bytes b = StoreBytes([&](CArchive& ar) { ar << &pair; });
  // pair: class 1, object 2; item: class 3, object 4; second reference: word 4.
  ASSERT_GE(b.size(), 2u);
  EXPECT_EQ(b[b.size() - 2], 4);
  EXPECT_EQ(b[b.size() - 1], 0);
  CTestPair* back = nullptr;
  LoadBytes(b, [&](CArchive& ar) { ar >> back; });
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->m_p1, back->m_p2);
  ASSERT_TRUE(back->m_p1->IsKindOf(RUNTIME_CLASS(CTestItem)));
  EXPECT_EQ(static_cast<CTestItem*>(back->m_p1)->m_a, 7);
  delete back->m_p1;
  delete back;
}

TEST_F(ArchiveTest, FieldsRoundTripBitForBit) {
  CTestItem item;
  item.m_a = -123456;
  item.m_b = 0x7FFFFFFF;
  item.m_d = 0.1 + 0.2;
  item.m_s = "管道 pipe";
  CTestItem* back = nullptr;
  LoadBytes(StoreBytes([&](CArchive& ar) { ar << &item; }), [&](CArchive& ar) { ar >> back; });
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->m_a, item.m_a);
  EXPECT_EQ(back->m_b, item.m_b);
  EXPECT_EQ(memcmp(&back->m_d, &item.m_d, sizeof(double)), 0);
  EXPECT_EQ(back->m_s, item.m_s);
  delete back;
}

// 40,000 items push the running index past 0x7FFF: later references and
// class tags use the dword escapes.
TEST_F(ArchiveTest, BigIndexesUseTheDwordEscapes) {
  const int kItems = 40000;
  CObList list;
  for (int i = 0; i < kItems; ++i) {
    auto* p = new CTestItem;
    p->m_a = i;
    list.AddTail(p);
  }
  CTestOther other1, other2;
  CTestPair pair;  // refers back to the last item and to other1
  pair.m_p1 = list.GetTail();
  pair.m_p2 = &other1;
  Bytes b = StoreBytes([&](CArchive& ar) {
    list.Serialize(ar);
    ar << &other1 << &other2 << &pair;
  });
  // Indexes: CTestItem class 1, items 2..40001, CTestOther class 40002,
  // other1 40003, other2 40004, CTestPair class 40005, pair 40006.
  Bytes tail;
  AppendWord(tail, 0x7FFF);  // other2's class tag
  AppendDword(tail, 0x80000000 | 40002);
  AppendWord(tail, 0);       // other2's field
  AppendWord(tail, 0xFFFF);  // CTestPair's class record
  AppendWord(tail, 0);
  AppendWord(tail, 9);
  Append(tail, "CTestPair");
  AppendWord(tail, 0x7FFF);  // back to the last item
  AppendDword(tail, 40001);
  AppendWord(tail, 0x7FFF);  // back to other1
  AppendDword(tail, 40003);
  ASSERT_GT(b.size(), tail.size());
  EXPECT_EQ(Bytes(b.end() - tail.size(), b.end()), tail);

  CObList back;
  CTestOther *o1 = nullptr, *o2 = nullptr;
  CTestPair* p = nullptr;
  LoadBytes(b, [&](CArchive& ar) {
    back.Serialize(ar, RUNTIME_CLASS(CTestItem));
    ar >> o1 >> o2 >> p;
  });
  ASSERT_EQ(back.GetCount(), kItems);
  EXPECT_EQ(static_cast<CTestItem*>(back.GetTail())->m_a, kItems - 1);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->m_p1, back.GetTail());
  EXPECT_EQ(p->m_p2, o1);
  EXPECT_NE(o1, o2);
  delete o1;
  delete o2;
  delete p;
  DeleteContents(back);
  DeleteContents(list);
}

Bytes MixedStream(int bufSize) {
  CObList layers;
  for (int l = 0; l < 3; ++l) {
    auto* layer = new CPicLayer;
    layer->m_name.Format("layer %d", l);
    for (int i = 0; i < 50; ++i) {
      auto* item = new CTestItem;
      item->m_a = i;
      item->m_d = i / 3.0;
      item->m_s = CString('s', i * 7);  // crosses small buffers often
      layer->m_objects.AddTail(item);
    }
    layers.AddTail(layer);
  }
  Bytes b = StoreBytes([&](CArchive& ar) { layers.Serialize(ar); }, bufSize);
  DeleteContents(layers);
  return b;
}

TEST_F(ArchiveTest, BufferSizeDoesNotChangeTheBytes) {
  Bytes ref = MixedStream(4096);
  EXPECT_EQ(MixedStream(16), ref);
  EXPECT_EQ(MixedStream(1), ref);
  EXPECT_EQ(MixedStream(4095), ref);
  for (int bufSize : {1, 16, 4096}) {
    CObList back;
    LoadBytes(
        ref, [&](CArchive& ar) { back.Serialize(ar, RUNTIME_CLASS(CPicLayer)); }, bufSize);
    ASSERT_EQ(back.GetCount(), 3) << bufSize;
    auto* last = static_cast<CPicLayer*>(back.GetTail());
    EXPECT_EQ(last->m_name, "layer 2");
    ASSERT_EQ(last->m_objects.GetCount(), 50);
    EXPECT_EQ(static_cast<CTestItem*>(last->m_objects.GetTail())->m_s.GetLength(), 49 * 7);
    DeleteContents(back);
  }
}

TEST_F(ArchiveTest, RawRecordsAndBlocksBiggerThanTheBuffer) {
  Bytes big(10000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = (BYTE)(i * 31);
  Bytes b = StoreBytes(
      [&](CArchive& ar) {
        ar << (BYTE)1;
        ar.Write(big.data(), (UINT)big.size());
        ar << (BYTE)2;
      },
      64);
  ASSERT_EQ(b.size(), big.size() + 2);
  Bytes back(big.size());
  BYTE first = 0, last = 0;
  LoadBytes(
      b,
      [&](CArchive& ar) {
        ar >> first;
        ar.Read(back.data(), (UINT)back.size());
        ar >> last;
      },
      64);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(back, big);
  EXPECT_EQ(last, 2);
}

TEST_F(ArchiveTest, FlushOnLoadGivesBackTheBytesReadAhead) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << (DWORD)1 << (DWORD)2 << (DWORD)3;
  }
  EXPECT_EQ(file.GetLength(), 12u);  // the destructor flushed
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  DWORD v;
  ar >> v;
  ar.Close();
  EXPECT_EQ(file.GetPosition(), 4u);
}

TEST_F(ArchiveTest, DirectionIsEnforced) {
  CMemFile file;
  CArchive st(&file, CArchive::store);
  DWORD v;
  try {
    st >> v;
    FAIL();
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
  }
  st.Close();
  file.SeekToBegin();
  CArchive ld(&file, CArchive::load);
  try {
    ld << v;
    FAIL();
  } catch (CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
  }
}

// A closed archive takes and gives nothing more, though its buffer had room
// (storing) or bytes read ahead (loading).
TEST_F(ArchiveTest, ClosedArchiveRefusesValues) {
  auto expectGeneric = [](const std::function<void()>& use) {
    try {
      use();
      FAIL();
    } catch (CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::generic);
    }
  };
  CMemFile file;
  CArchive st(&file, CArchive::store);
  st << (DWORD)1 << (DWORD)2;
  st.Close();
  expectGeneric([&] { st << (DWORD)3; });
  expectGeneric([&] { st << CString("abc"); });
  EXPECT_EQ(file.GetLength(), 8u);
  file.SeekToBegin();
  CArchive ld(&file, CArchive::load);
  DWORD v = 0;
  ld >> v;
  ld.Close();
  EXPECT_EQ(file.GetPosition(), 4u);
  expectGeneric([&] { ld >> v; });
  EXPECT_EQ(v, 1u);
}

TEST_F(ArchiveTest, FrameworkClassesAreRegistered) {
  EXPECT_EQ(CRuntimeClass::FromName("CObList"), RUNTIME_CLASS(CObList));
  EXPECT_EQ(CRuntimeClass::FromName("CPicLayer"), RUNTIME_CLASS(CPicLayer));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
  CObject* p = CRuntimeClass::CreateObject("CTestItem");
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CCountedObject)));
  EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(p->IsKindOf(RUNTIME_CLASS(CTestOther)));
  EXPECT_STREQ(p->GetRuntimeClass()->m_lpszClassName, "CTestItem");
  delete p;
  EXPECT_EQ(CRuntimeClass::CreateObject("CCountedObject"), nullptr);  // not creatable
}

}  // namespace
