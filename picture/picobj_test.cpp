#include "picobj.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "drawbezier.h"
#include "drawline.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "file.h"
#include "objtest_util.h"
#include "picfile.h"

namespace {

class PicObjTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterObjectClasses(); }
};

std::vector<BYTE> Bytes(const char* s, size_t n) { return std::vector<BYTE>(s, s + n); }

void Append(std::vector<BYTE>& v, const std::vector<BYTE>& tail) {
  v.insert(v.end(), tail.begin(), tail.end());
}

// The layer list of one empty layer named "default".
std::vector<BYTE> DefaultLayerList() {
  std::vector<BYTE> v = {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00};
  Append(v, Bytes("CPicLayer", 9));
  v.push_back(7);
  Append(v, Bytes("default", 7));
  Append(v, {0x00, 0x00, 0x00});
  return v;
}

TEST_F(PicObjTest, NewPictureHasItsDefaultsAndNoLayers) {
  CPicObj pic;
  EXPECT_EQ(pic.m_nWidth, 960);
  EXPECT_EQ(pic.m_nHeight, 680);
  EXPECT_EQ(pic.m_nPeriod, 1000);
  EXPECT_EQ(pic.m_clrBack, ::GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(pic.m_layers.IsEmpty());
}

TEST_F(PicObjTest, EnsureLayerAddsOneDefaultLayerOnce) {
  CPicObj pic;
  pic.EnsureLayer();
  pic.EnsureLayer();
  ASSERT_EQ(pic.m_layers.GetCount(), 1);
  EXPECT_EQ(pic.GetLayer(0)->m_strName, "default");
  EXPECT_TRUE(pic.GetLayer(0)->m_bVisible);
}

TEST_F(PicObjTest, NewPictureWithItsLayerIsThe60GoldenBytes) {
  CPicObj pic;
  pic.EnsureLayer();
  std::vector<BYTE> expected = {0x00};
  objtest::AppendU32(expected, ::GetSysColor(COLOR_BTNFACE));
  Append(expected, {0xC0, 0x03, 0, 0,    0xA8, 0x02, 0, 0, 0x00, 0, 0, 0,    0,   0,
                    0,    0,    0, 0xE8, 0x03, 0,    0, 0, 0,    0, 0, 0x00, 0x00});
  Append(expected, DefaultLayerList());
  ASSERT_EQ(expected.size(), 60u);
  EXPECT_EQ(StorePictureBytes(pic), expected);
}

TEST_F(PicObjTest, ReservedStringIsWrittenTwiceAndTheSecondCopyWins) {
  CPicObj pic;
  pic.EnsureLayer();
  pic.m_strReserved = "A";
  std::vector<BYTE> bytes = StorePictureBytes(pic);
  // name(1) colour(4) size(8) then "A" at 13; structure name at 31, second copy at 32.
  ASSERT_EQ(bytes[13], 1);
  ASSERT_EQ(bytes[14], 'A');
  ASSERT_EQ(bytes[31], 0);
  ASSERT_EQ(bytes[32], 1);
  ASSERT_EQ(bytes[33], 'A');
  bytes[33] = 'B';
  std::unique_ptr<CPicObj> back(LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())));
  EXPECT_EQ(back->m_strReserved, "B");
}

TEST_F(PicObjTest, LoadingIgnoresBytesAfterTheLayerList) {
  CPicObj pic;
  pic.EnsureLayer();
  std::vector<BYTE> bytes = StorePictureBytes(pic);
  bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  std::unique_ptr<CPicObj> back(LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())));
  EXPECT_EQ(back->m_layers.GetCount(), 1);
}

TEST_F(PicObjTest, DamagedStreamThrowsAndLeaksNothing) {
  CPicObj pic;
  pic.EnsureLayer();
  auto* line = new CDrawLine;
  line->AddPoint(CPointD(1, 2));
  pic.GetLayer(0)->m_objects.AddTail(line);
  std::vector<BYTE> bytes = StorePictureBytes(pic);
  const LONG live = CObject::GetLiveCount();
  for (size_t cut : {size_t(5), size_t(40), bytes.size() - 1}) {
    EXPECT_THROW(LoadPictureBuffer(bytes.data(), static_cast<UINT>(cut)), CArchiveException) << cut;
    EXPECT_EQ(CObject::GetLiveCount(), live) << cut;
  }
}

CPicObj* PictureWithOneOfEach() {
  auto* pic = new CPicObj;
  pic->m_strName = "画面1";
  pic->m_strStructName = "s";
  pic->EnsureLayer();
  auto* second = new CPicLayer;
  second->m_strName = "top";
  second->m_strSecond = "2";
  pic->m_layers.AddTail(second);
  CObList& objects = pic->GetLayer(0)->m_objects;
  CDrawPoly* shapes[] = {new CDrawPoly,   new CDrawLine,       new CDrawArrow, new CDrawPolygon,
                         new CDrawBezier, new CDrawBezierFill, new CDrawPipe};
  int i = 0;
  for (CDrawPoly* shape : shapes) {
    shape->m_strName.Format("o%d", i);
    shape->m_nFillStyle = i % 6;
    for (int k = 0; k < 3; ++k) shape->AddPoint(CPointD(10.25 * i + k, 7.5 * k - i));
    objects.AddTail(shape);
    ++i;
  }
  static_cast<CDrawArrow*>(shapes[2])->m_nHeadSize = 30;
  static_cast<CDrawPipe*>(shapes[6])->m_nPipeWidth = 22;
  auto* base = new CDrawObj;
  base->m_rect.Set(1.5, 2.5, 3.5, 4.5);
  second->m_objects.AddTail(base);
  return pic;
}

TEST_F(PicObjTest, PictureWithEveryKindRoundTripsByteForByte) {
  std::unique_ptr<CPicObj> pic(PictureWithOneOfEach());
  std::vector<BYTE> bytes = StorePictureBytes(*pic);
  std::unique_ptr<CPicObj> back(LoadPictureBuffer(bytes.data(), static_cast<UINT>(bytes.size())));
  EXPECT_EQ(StorePictureBytes(*back), bytes);
  ASSERT_EQ(back->m_layers.GetCount(), 2);
  EXPECT_EQ(back->GetLayer(0)->m_objects.GetCount(), 7);
  auto* pipe = static_cast<CDrawPipe*>(back->GetLayer(0)->m_objects.GetTail());
  ASSERT_TRUE(pipe->IsKindOf(RUNTIME_CLASS(CDrawPipe)));
  EXPECT_EQ(pipe->m_nPipeWidth, 22);
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

TEST_F(PicObjTest, SavingOverALongerFileTruncatesIt) {
  std::string path = TempPath("qel_picobj_test.pic");
  {
    CFile junk(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    std::vector<BYTE> filler(5000, 0xAB);
    junk.Write(filler.data(), static_cast<UINT>(filler.size()));
  }
  CPicObj pic;
  pic.EnsureLayer();
  pic.m_bModified = TRUE;
  SavePictureFile(pic, path.c_str());
  EXPECT_FALSE(pic.m_bModified);
  {
    CFile check(path.c_str(), CFile::modeRead);
    EXPECT_EQ(check.GetLength(), 60u);
  }
  std::unique_ptr<CPicObj> back(LoadPictureFile(path.c_str()));
  EXPECT_EQ(StorePictureBytes(*back), StorePictureBytes(pic));
  ::DeleteFileA(path.c_str());
}

// A container that, like a sub-picture, finds its children only when asked
// as the context object.
class FakeCell : public CDrawObj {
 public:
  CDrawObj child;
  DrawObjType GetObjType() override { return DOT_CELL; }
  CDrawObj* FindByName(const char* name) override {
    if (CDrawObj* p = CDrawObj::FindByName(name)) return p;
    return child.FindByName(name);
  }
  CDrawObj* FindByNameShallow(const char* name) override { return CDrawObj::FindByName(name); }
};

TEST_F(PicObjTest, FindObjectFollowsTheContextAndLayerRules) {
  CPicObj pic;
  pic.EnsureLayer();
  pic.m_layers.AddTail(new CPicLayer);
  auto* lowA = new CDrawObj;
  lowA->m_strName = "a";
  auto* highA = new CDrawObj;
  highA->m_strName = "a";
  auto* firstB = new CDrawObj;
  firstB->m_strName = "b";
  auto* secondB = new CDrawObj;
  secondB->m_strName = "b";
  auto* cell = new FakeCell;
  cell->m_strName = "cell";
  cell->child.m_strName = "inner";
  pic.GetLayer(0)->m_objects.AddTail(lowA);
  pic.GetLayer(0)->m_objects.AddTail(cell);
  pic.GetLayer(1)->m_objects.AddTail(highA);
  pic.GetLayer(1)->m_objects.AddTail(firstB);
  pic.GetLayer(1)->m_objects.AddTail(secondB);

  EXPECT_EQ(pic.FindObject("", lowA), lowA);
  EXPECT_EQ(pic.FindObject(nullptr, nullptr), nullptr);
  EXPECT_EQ(pic.FindObject("a", nullptr), highA);   // the later layer wins
  EXPECT_EQ(pic.FindObject("b", nullptr), firstB);  // within a layer the earlier one
  EXPECT_EQ(pic.FindObject("inner", nullptr), nullptr);
  EXPECT_EQ(pic.FindObject("inner", lowA), nullptr);
  EXPECT_EQ(pic.FindObject("inner", cell), &cell->child);
  EXPECT_EQ(pic.FindObject("nothing", cell), nullptr);
}

TEST_F(PicObjTest, PicturePropertyListHasItsEightRecords) {
  CPicObj pic;
  pic.m_strName = "p";
  PropDesc recs[32];
  PropDescList list = {0, recs};
  ASSERT_EQ(pic.GetPropList(&list), 8);
  const int ids[8] = {0, 30, 33, 32, 31, 11, 12, 51};
  const int kinds[8] = {132, 132, 4, 0, 2, 0, 0, 10};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(recs[i].id, ids[i]) << i;
    EXPECT_EQ(recs[i].kind, kinds[i]) << i;
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(recs[0].value), "画面");
  EXPECT_STREQ(recs[7].name, "画面层管理");
  EXPECT_EQ(recs[3].value, 1000);
}

}  // namespace
