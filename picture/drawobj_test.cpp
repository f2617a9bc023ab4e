#include "drawobj.h"

#include <gtest/gtest.h>

#include <cmath>

#include "objtest_util.h"

namespace {

using objtest::AppendDouble;
using objtest::AppendU32;

class DrawObjTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterObjectClasses(); }
};

CDrawObj* SquareObj() {
  auto* p = new CDrawObj;
  p->m_rect.Set(100.0, 100.0, 200.0, 200.0);
  return p;
}

TEST_F(DrawObjTest, NewObjectHasItsDefaults) {
  CDrawObj obj;
  EXPECT_TRUE(obj.m_strName.IsEmpty());
  EXPECT_TRUE(obj.IsVisible());
  EXPECT_EQ(obj.m_nLineWidth, 1);
  EXPECT_EQ(obj.m_clrFill1, 0xFFFFFFu);
  EXPECT_EQ(obj.m_nPerFillDir, -1);
  EXPECT_EQ(obj.m_clrPerFill, 255u);
  EXPECT_EQ(obj.GetView().zoom, 1.0);
  EXPECT_EQ(obj.GetObjType(), DOT_BASE);
}

TEST_F(DrawObjTest, NewObjectStoresItsBasePartIn81Bytes) {
  CDrawObj obj;
  std::vector<BYTE> expected = {0x00, 0x00};  // name, comment
  for (int i = 0; i < 4; ++i) AppendDouble(expected, 0.0);
  for (DWORD v : {0u, 0u, 1u, 0u, 0u, 0xFFFFFFu, 0u, 1u, 0u, 0u, 0u}) AppendU32(expected, v);
  expected.push_back(0x00);  // reserved string
  expected.push_back(0x00);  // no links
  expected.push_back(0x00);
  ASSERT_EQ(expected.size(), 81u);
  EXPECT_EQ(objtest::FieldBytes(obj), expected);
}

TEST_F(DrawObjTest, StoredFieldsReadBackBitForBit) {
  CDrawObj obj;
  obj.m_strName = "泵1";
  obj.m_strComment = "comment";
  obj.m_rect.Set(0.1, -2.5, 1e300, 3.0);
  obj.m_clrLine = 0xFFFFFFFF;
  obj.m_clrText = 0x123456;
  obj.m_nLineWidth = 7;
  obj.m_nLineStyle = 3;
  obj.m_nFillStyle = 5;
  obj.m_clrFill1 = 1;
  obj.m_clrFill2 = 2;
  obj.m_bVisible = FALSE;
  obj.m_nReserved[1] = 9;
  obj.m_strReserved = "x";
  std::vector<BYTE> bytes = objtest::FieldBytes(obj);
  CDrawObj back;
  objtest::LoadFields(back, bytes);
  EXPECT_EQ(objtest::FieldBytes(back), bytes);
  EXPECT_EQ(back.m_rect.left, 0.1);
  EXPECT_EQ(back.m_clrLine, 0xFFFFFFFFu);
  EXPECT_FALSE(back.IsVisible());
}

TEST_F(DrawObjTest, CloneCopiesStoredFieldsAndResetsRunTimeFields) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  obj->m_strName = "a";
  obj->SetSelected(TRUE);
  obj->SetViewTransform(POINT{5, 6}, 3.0);
  std::unique_ptr<CDrawObj> copy(obj->Clone());
  ASSERT_TRUE(copy);
  EXPECT_NE(copy.get(), obj.get());
  EXPECT_EQ(copy->m_strName, "a");
  EXPECT_EQ(copy->m_rect.right, 200.0);
  EXPECT_FALSE(copy->IsSelected(nullptr));
  EXPECT_EQ(copy->GetView().zoom, 1.0);
}

TEST_F(DrawObjTest, ZeroSizeObjectIsHitOnHandle1AtOrigin) {
  CDrawObj obj;
  CDrawObj* hit = nullptr;
  EXPECT_EQ(obj.HitTest(CPointD(0, 0), &hit), 1);
  EXPECT_EQ(hit, &obj);
}

TEST_F(DrawObjTest, BaseObjectOffersEightHandles) {
  CDrawObj obj;
  EXPECT_EQ(obj.GetHandleCount(), 8);
}

struct HitCase {
  double x, y;
  int expected;
};

TEST_F(DrawObjTest, SquareIsHitOnItsFrameAndHandlesOnly) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  const HitCase cases[] = {
      {150, 150, -1},  // interior
      {125, 98, 0},    // near the top side
      {151, 101, 2},   // handle 2
      {100, 100, 1},  {200, 200, 5},
      {202, 150, 4},  {203, 150, 0},  // the band reaches 3 to either side of a side
      {97, 125, 0},   {204, 150, -1},
      {96, 125, -1},  {125, 104, -1},  // beyond the band of 3
      {300, 300, -1},
  };
  for (const HitCase& c : cases) {
    CDrawObj* hit = nullptr;
    EXPECT_EQ(obj->HitTest(CPointD(c.x, c.y), &hit), c.expected) << c.x << "," << c.y;
    EXPECT_EQ(hit, c.expected == -1 ? nullptr : obj.get());
  }
}

TEST_F(DrawObjTest, HandleRectanglesGrowOnlyAboveZoom2) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  // Handle 1 at (100,100) is device (300,300) at zoom 3; its square reaches 296..302,
  // grown by 3 to 293..305.
  obj->SetViewTransform(POINT{0, 0}, 3.0);
  EXPECT_EQ(obj->HitTest(CPointD(294 / 3.0, 300 / 3.0), nullptr), 1);
  obj->SetViewTransform(POINT{0, 0}, 2.0);
  // At 2.0: handle 1 at (200,200), square 197..202, not grown: 195 misses the handle.
  EXPECT_NE(obj->HitTest(CPointD(195 / 2.0, 200 / 2.0), nullptr), 1);
}

TEST_F(DrawObjTest, HandlePositionsFollowTheStoredRectangle) {
  CDrawObj obj;
  obj.m_rect.Set(200.0, 10.0, 100.0, 30.0);  // reversed, as stored
  const CPointD expected[9] = {{0, 0},    {200, 10}, {150, 10}, {100, 10}, {100, 20},
                               {100, 30}, {150, 30}, {200, 30}, {200, 20}};
  for (int h = 1; h <= 8; ++h) EXPECT_EQ(obj.GetHandle(h), expected[h]) << h;
  EXPECT_EQ(obj.GetHandle(9), CPointD(0, 0));
}

TEST_F(DrawObjTest, HandleCursorsByHandleNumber) {
  CDrawObj obj;
  struct {
    int handle;
    LPCSTR cursor;
  } const cases[] = {{1, IDC_SIZENWSE}, {5, IDC_SIZENWSE}, {2, IDC_SIZENS},  {6, IDC_SIZENS},
                     {3, IDC_SIZENESW}, {7, IDC_SIZENESW}, {4, IDC_SIZEWE},  {8, IDC_SIZEWE},
                     {9, IDC_HAND},     {100, IDC_HAND},   {0, IDC_SIZEALL}, {42, IDC_SIZEALL}};
  for (const auto& c : cases)
    EXPECT_EQ(obj.GetHandleCursor(c.handle), ::LoadCursorA(nullptr, c.cursor)) << c.handle;
}

TEST_F(DrawObjTest, IsInRectRequiresStrictInclusion) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  EXPECT_FALSE(obj->IsInRect(CRectD(100, 100, 200, 200)));
  EXPECT_TRUE(obj->IsInRect(CRectD(201, 201, 99, 99)));  // normalised copy
}

TEST_F(DrawObjTest, MoveByZeroLeavesRectangleUntouched) {
  CDrawObj obj;
  obj.m_rect.Set(0.1, 0.2, 0.3, 0.4);
  obj.MoveBy(CPointD(0, 0));
  EXPECT_EQ(obj.m_rect.left, 0.1);
  obj.MoveBy(CPointD(1, -1));
  EXPECT_DOUBLE_EQ(obj.m_rect.left, 1.1);
  EXPECT_DOUBLE_EQ(obj.m_rect.bottom, -0.6);
}

TEST_F(DrawObjTest, MoveHandleSetsTheSidesOfItsHandle) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  int h = 3;
  obj->MoveHandleTo(h, CPointD(50, 250), nullptr);
  EXPECT_EQ(obj->m_rect.left, 100.0);
  EXPECT_EQ(obj->m_rect.right, 50.0);  // not normalised
  EXPECT_EQ(obj->m_rect.top, 250.0);
  EXPECT_EQ(obj->m_rect.bottom, 200.0);
  h = 9;
  obj->MoveHandleTo(h, CPointD(0, 0), nullptr);
  EXPECT_EQ(obj->m_rect.left, 100.0);
}

TEST_F(DrawObjTest, ScaleKeepsTheRectangleOrdered) {
  CDrawObj obj;
  obj.m_rect.Set(20, 20, 10, 10);
  obj.Scale(CPointD(0, 0), 2.0);
  EXPECT_EQ(obj.m_rect.left, 40.0);
  EXPECT_EQ(obj.m_rect.right, 60.0);
}

TEST_F(DrawObjTest, InvalidRectIsDeviceBoundsGrownBy4) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  obj->SetViewTransform(POINT{10, 20}, 2.0);
  RECT r = obj->GetInvalidRect();
  EXPECT_EQ(r.left, 186);
  EXPECT_EQ(r.top, 176);
  EXPECT_EQ(r.right, 394);
  EXPECT_EQ(r.bottom, 384);
}

TEST_F(DrawObjTest, UnionInvalidRectFillsAnEmptyUpdateRectangle) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  RECT update = {0, 0, 0, 0};
  obj->UnionInvalidRect(&update);
  EXPECT_EQ(update.left, 96);
  EXPECT_EQ(update.bottom, 204);
  RECT other = {300, 300, 310, 310};
  obj->UnionInvalidRect(&other);
  EXPECT_EQ(other.left, 96);
  EXPECT_EQ(other.right, 310);
}

TEST_F(DrawObjTest, UnionInvalidRectNormalisesNegativeUpdateRectangles) {
  std::unique_ptr<CDrawObj> obj(SquareObj());
  RECT reversed = {-3, -5, -10, -20};
  obj->UnionInvalidRect(&reversed);
  EXPECT_EQ(reversed.left, -10);
  EXPECT_EQ(reversed.top, -20);
  EXPECT_EQ(reversed.right, 204);
}

TEST_F(DrawObjTest, PercentFillIsKeptBetweenZeroAndOne) {
  CDrawObj obj;
  const double cases[][2] = {{0.25, 0.25}, {-0.5, 0.0}, {1.5, 1.0}, {NAN, 0.0}};
  for (const auto& c : cases) {
    obj.SetPercentFill(c[0], 2, 0x00FF00);
    EXPECT_EQ(obj.m_dPerFill, c[1]) << c[0];
  }
  EXPECT_EQ(obj.m_nPerFillDir, 2);
  EXPECT_EQ(obj.m_clrPerFill, 0x00FF00u);
}

TEST_F(DrawObjTest, BasePropertiesAreTypeNameComment) {
  CDrawObj obj;
  obj.m_strName = "n";
  PropDesc recs[32];
  PropDescList list = {0, recs};
  obj.GetPropList(&list);
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(recs[0].kind, 132);
  EXPECT_EQ(recs[1].id, 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(recs[1].value), "n");
  EXPECT_EQ(recs[2].kind, 4);
  EXPECT_TRUE(obj.SetProp(PROP_COMMENT, reinterpret_cast<LONG_PTR>("c")));
  EXPECT_EQ(obj.m_strComment, "c");
  EXPECT_FALSE(obj.SetProp(PROP_LINEWIDTH, 3));
}

TEST_F(DrawObjTest, FindByNameIsExactAndCaseSensitive) {
  CDrawObj obj;
  EXPECT_EQ(obj.FindByName(""), &obj);
  obj.m_strName = "Tank";
  EXPECT_EQ(obj.FindByName("Tank"), &obj);
  EXPECT_EQ(obj.FindByName("tank"), nullptr);
}

TEST_F(DrawObjTest, ObjectWithoutLinksFiresNothing) {
  CDrawObj obj;
  EXPECT_EQ(obj.FireActions(0, 1, nullptr), 0);
  EXPECT_EQ(obj.FindAction(2), 0);
  EXPECT_EQ(obj.GetAction(2), nullptr);
  EXPECT_FALSE(obj.RemoveAction(2));
  ActionKindDesc kinds[11];
  ActionKindList list = {-1, kinds};
  EXPECT_EQ(obj.GetActionKinds(&list), 0);
  EXPECT_EQ(list.count, 0);
}

TEST_F(DrawObjTest, CenterIsTheMiddleOfTheNormalisedRectangle) {
  CDrawObj obj;
  obj.m_rect.Set(10, 40, 0, 20);
  EXPECT_EQ(obj.GetCenter(), CPointD(5, 30));
}

}  // namespace
