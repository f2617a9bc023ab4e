#include "drawpoly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "drawline.h"
#include "drawpipe.h"
#include "drawpolygon.h"
#include "objtest_util.h"
#include "render_surface.h"
#include "shapepaint.h"

namespace {

class DrawPolyTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterObjectClasses(); }
};

template <class T>
std::unique_ptr<T> Make(std::initializer_list<CPointD> pts) {
  std::unique_ptr<T> obj(new T);
  for (const CPointD& p : pts) obj->AddPoint(p);
  return obj;
}

int Accepted(CDrawPoly& obj, int tries) {
  int n = 0;
  for (int i = 0; i < tries; ++i) n += obj.AddPoint(CPointD(i, i)) ? 1 : 0;
  return n;
}

TEST_F(DrawPolyTest, AddPointStopsOneAfterTheLimit) {
  CDrawPoly poly;
  CDrawLine line;
  CDrawArrow arrow;
  CDrawPipe pipe;
  EXPECT_EQ(Accepted(poly, 400), 385);
  EXPECT_EQ(Accepted(line, 10), 3);
  EXPECT_EQ(Accepted(arrow, 10), 3);
  EXPECT_EQ(Accepted(pipe, 20), 11);
}

TEST_F(DrawPolyTest, TwoPointLineStoresBaseThenCountAndPoints) {
  auto line = Make<CDrawLine>({{1.5, 2.0}, {-3.0, 4.25}});
  std::vector<BYTE> bytes = objtest::FieldBytes(*line);
  CDrawObj base;
  base.m_rect = line->m_rect;
  std::vector<BYTE> expected = objtest::FieldBytes(base);
  objtest::AppendU32(expected, 2);
  for (double d : {1.5, 2.0, -3.0, 4.25}) objtest::AppendDouble(expected, d);
  EXPECT_EQ(bytes.size(), 81u + 4 + 32);
  EXPECT_EQ(bytes, expected);
}

TEST_F(DrawPolyTest, LoadingIgnoresThePointLimitAndNegativeCounts) {
  CDrawPoly poly;
  for (int i = 0; i < 5; ++i) poly.m_points.push_back(CPointD(i, 0));
  std::vector<BYTE> bytes = objtest::FieldBytes(poly);
  CDrawLine line;
  objtest::LoadFields(line, bytes);
  EXPECT_EQ(line.GetPointCount(), 5);
  // A count of -1 leaves the list empty.
  for (int i = 0; i < 4; ++i) bytes[81 + i] = 0xFF;
  bytes.resize(85);
  objtest::LoadFields(line, bytes);
  EXPECT_EQ(line.GetPointCount(), 0);
}

TEST_F(DrawPolyTest, CountLargerThanTheStreamIsAnError) {
  CDrawPoly poly;
  poly.m_points.push_back(CPointD(1, 1));
  std::vector<BYTE> bytes = objtest::FieldBytes(poly);
  bytes[81] = 0xFF;
  bytes[82] = 0xFF;
  bytes[83] = 0xFF;
  bytes[84] = 0x0F;
  CDrawPoly back;
  EXPECT_THROW(objtest::LoadFields(back, bytes), CArchiveException);
}

TEST_F(DrawPolyTest, EachClassRoundTripsThroughAnObjectReference) {
  std::unique_ptr<CDrawPoly> objs[] = {
      Make<CDrawPoly>({{0, 0}, {10, 5}, {20, 0}}), Make<CDrawLine>({{0, 0}, {10, 5}}),
      Make<CDrawArrow>({{0, 0}, {10, 5}}), Make<CDrawPolygon>({{0, 0}, {10, 5}, {20, 0}}),
      Make<CDrawPipe>({{0, 0}, {10, 5}, {20, 0}})};
  static_cast<CDrawArrow*>(objs[2].get())->m_nHeadAngle = 30;
  for (auto& obj : objs) {
    obj->m_strComment = obj->GetRuntimeClass()->m_lpszClassName;
    std::vector<BYTE> bytes = objtest::ObjectBytes(obj.get());
    std::unique_ptr<CObject> back(objtest::ReadObjectBytes(bytes));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetRuntimeClass(), obj->GetRuntimeClass());
    EXPECT_EQ(objtest::ObjectBytes(back.get()), bytes) << obj->m_strComment.GetString();
  }
}

TEST_F(DrawPolyTest, GetRectIsTheBoxOfThePointsAndKeepsTheOldBoxWithoutPoints) {
  auto poly = Make<CDrawPoly>({{5, 9}, {-1, 3}, {4, 12}});
  CRectD r = poly->GetRect();
  EXPECT_EQ(r.left, -1.0);
  EXPECT_EQ(r.top, 3.0);
  EXPECT_EQ(r.right, 5.0);
  EXPECT_EQ(r.bottom, 12.0);
  CDrawPoly empty;
  empty.m_rect.Set(1, 2, 3, 4);
  CRectD none = empty.GetRect();
  EXPECT_EQ(none.right, 0.0);
  EXPECT_EQ(empty.m_rect.right, 3.0);
}

TEST_F(DrawPolyTest, HandlesAreThePointsFrom100AndTheBoxFrom1) {
  auto poly = Make<CDrawPoly>({{10, 10}, {30, 50}});
  EXPECT_EQ(poly->GetHandleCount(), 2);
  EXPECT_EQ(poly->GetHandle(101), CPointD(30, 50));
  EXPECT_EQ(poly->GetHandle(4), CPointD(30, 30));
  EXPECT_EQ(poly->GetHandle(102), CPointD(0, 0));
}

struct WidthCase {
  int lineWidth;
  double hitY;
  double missY;
};

TEST_F(DrawPolyTest, HitHalfWidthIsHalfTheLineWidthPlusOneAtLeast2) {
  const WidthCase cases[] = {{0, 1.5, 2.5}, {2, 1.5, 2.5}, {7, 3.5, 4.5}, {20, 10.5, 11.5}};
  for (const WidthCase& c : cases) {
    auto poly = Make<CDrawPoly>({{0, 0}, {100, 0}});
    poly->m_nLineWidth = c.lineWidth;
    EXPECT_EQ(poly->HitTest(CPointD(30, c.hitY), nullptr), 0) << c.lineWidth;
    EXPECT_EQ(poly->HitTest(CPointD(30, c.missY), nullptr), -1) << c.lineWidth;
  }
}

TEST_F(DrawPolyTest, OnePointPolyLineIsHitOnlyOnItsHandles) {
  auto poly = Make<CDrawPoly>({{50, 50}});
  CDrawObj* hit = nullptr;
  EXPECT_EQ(poly->HitTest(CPointD(50, 50), &hit), 100);
  EXPECT_EQ(hit, poly.get());
  EXPECT_EQ(poly->HitTest(CPointD(54, 50), nullptr), -1);
}

TEST_F(DrawPolyTest, LineHasNoRectangleHandles) {
  auto line = Make<CDrawLine>({{0, 0}, {100, 100}});
  auto poly = Make<CDrawPoly>({{0, 0}, {100, 100}});
  EXPECT_EQ(poly->HitTest(CPointD(100, 0), nullptr), 3);
  EXPECT_EQ(line->HitTest(CPointD(100, 0), nullptr), -1);
  EXPECT_EQ(line->HitTest(CPointD(100, 100), nullptr), 101);
}

TEST_F(DrawPolyTest, PolygonInteriorCountsOnlyWhenFilled) {
  auto polygon = Make<CDrawPolygon>({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  EXPECT_EQ(polygon->HitTest(CPointD(50, 50), nullptr), -1);
  EXPECT_EQ(polygon->HitTest(CPointD(30, 1), nullptr), 0);
  polygon->m_nFillStyle = 1;
  EXPECT_EQ(polygon->HitTest(CPointD(50, 50), nullptr), 0);
  // Inside a group the area counts whatever the fill.
  polygon->m_nFillStyle = 0;
  EXPECT_EQ(polygon->HitTestChild(CPointD(50, 50), nullptr), 0);
  EXPECT_EQ(polygon->HitTestChild(CPointD(150, 50), nullptr), -1);
}

struct SnapCase {
  CPointD to, expected;
};

TEST_F(DrawPolyTest, ShiftDragSnapsToAxesOrDiagonals) {
  const SnapCase cases[] = {{{10, 3}, {10, 0}}, {{10, 8}, {10, 10}},   {{-10, 8}, {-10, 10}},
                            {{3, 10}, {0, 10}}, {{8, -10}, {10, -10}}, {{-8, -10}, {-10, -10}}};
  for (const SnapCase& c : cases)
    EXPECT_EQ(SnapToAngle(CPointD(0, 0), c.to), c.expected) << c.to.x << "," << c.to.y;
}

TEST_F(DrawPolyTest, DraggingAVertexMovesIt) {
  auto poly = Make<CDrawPoly>({{0, 0}, {10, 10}});
  int h = 101;
  poly->MoveHandleTo(h, CPointD(20, 5), nullptr);
  EXPECT_EQ(poly->m_points[1], CPointD(20, 5));
  h = 105;
  poly->MoveHandleTo(h, CPointD(99, 99), nullptr);
  EXPECT_EQ(poly->m_points[1], CPointD(20, 5));
}

TEST_F(DrawPolyTest, CornerDragStretchesFromTheOppositeCorner) {
  auto poly = Make<CDrawPoly>({{0, 0}, {100, 50}});
  int h = 5;
  poly->MoveHandleTo(h, CPointD(200, 100), nullptr);
  EXPECT_EQ(poly->m_points[1], CPointD(200, 100));
  EXPECT_EQ(poly->m_points[0], CPointD(0, 0));
  EXPECT_EQ(h, 5);
}

TEST_F(DrawPolyTest, DragCloserThan4ToTheOppositeSideChangesNothing) {
  auto poly = Make<CDrawPoly>({{0, 0}, {100, 50}});
  int h = 4;
  poly->MoveHandleTo(h, CPointD(3, 25), nullptr);
  EXPECT_EQ(poly->m_points[1], CPointD(100, 50));
  h = 5;
  poly->MoveHandleTo(h, CPointD(200, -2), nullptr);  // y within 4 of the top
  EXPECT_EQ(poly->m_points[1], CPointD(100, 50));
}

TEST_F(DrawPolyTest, DragPastTheOppositeSideMirrorsAndSwapsTheHandle) {
  auto poly = Make<CDrawPoly>({{0, 0}, {100, 50}});
  int h = 4;
  poly->MoveHandleTo(h, CPointD(-50, 25), nullptr);
  EXPECT_EQ(h, 8);
  EXPECT_EQ(poly->m_points[1], CPointD(-50, 50));
  h = 1;  // now at (-50, 0); opposite corner (0, 50)
  poly->MoveHandleTo(h, CPointD(40, 80), nullptr);
  EXPECT_EQ(h, 5);
  EXPECT_EQ(MirroredHandle(3, true, true), 7);
  EXPECT_EQ(MirroredHandle(2, false, true), 6);
  EXPECT_EQ(MirroredHandle(6, false, true), 2);
  EXPECT_EQ(MirroredHandle(8, true, false), 4);
  EXPECT_EQ(MirroredHandle(1, true, false), 3);
}

TEST_F(DrawPolyTest, MoveScaleRotateFlipMoveEveryPoint) {
  auto poly = Make<CDrawPoly>({{10, 0}, {20, 10}});
  poly->MoveBy(CPointD(1, 2));
  EXPECT_EQ(poly->m_points[0], CPointD(11, 2));
  poly->Scale(CPointD(11, 2), 2.0);
  EXPECT_EQ(poly->m_points[1], CPointD(31, 22));
  poly->Flip(0, 0, 0);
  EXPECT_EQ(poly->m_points[0], CPointD(-11, 2));
  poly->Flip(0, 10, 1);
  EXPECT_EQ(poly->m_points[0], CPointD(-11, 18));
  auto line = Make<CDrawLine>({{0, 0}, {10, 0}});
  line->Rotate(CPointD(0, 0), DirectionOfDegrees(90));
  EXPECT_NEAR(line->m_points[1].x, 0.0, 1e-6);
  EXPECT_NEAR(line->m_points[1].y, 10.0, 1e-6);
  EXPECT_EQ(line->GetRect().bottom, line->m_points[1].y);
}

TEST_F(DrawPolyTest, StretchWithZeroFactorsChangesNothing) {
  auto poly = Make<CDrawPoly>({{10, 10}, {20, 20}});
  EXPECT_EQ(poly->Stretch(CPointD(10, 10), CPointD(10, 10), CPointD(50, 50)), 0);
  EXPECT_EQ(poly->m_points[1], CPointD(20, 20));
}

TEST_F(DrawPolyTest, SetAngleTurnsTheSecondPointAboutTheFirst) {
  auto line = Make<CDrawLine>({{10, 10}, {20, 10}});
  line->SetAngle(90);
  EXPECT_NEAR(line->m_points[1].x, 10.0, 1e-6);
  EXPECT_NEAR(line->m_points[1].y, 20.0, 1e-6);  // clockwise on the screen
  EXPECT_EQ(line->m_points[0], CPointD(10, 10));
}

TEST_F(DrawPolyTest, TopXMovesTheShapeSoItsLeftLandsThere) {
  auto poly = Make<CDrawPoly>({{40.6, 3}, {50, 8}});
  EXPECT_TRUE(poly->SetProp(PROP_TOPX, 100));
  EXPECT_DOUBLE_EQ(poly->m_points[0].x, 100.0);
  EXPECT_DOUBLE_EQ(poly->m_points[1].x, 109.4);
  EXPECT_TRUE(poly->SetProp(PROP_TOPY, 0));
  EXPECT_EQ(poly->m_points[0].y, 0.0);
  EXPECT_FALSE(poly->SetProp(PROP_FILLMODE, 1));
}

TEST_F(DrawPolyTest, ArrowHeadSizeAndAngleAreClamped) {
  auto arrow = Make<CDrawArrow>({{0, 0}, {57.9, 0}});
  arrow->SetProp(PROP_ARROWSIZE, 200);
  EXPECT_EQ(arrow->m_nHeadSize, 57);
  arrow->SetProp(PROP_ARROWSIZE, 1);
  EXPECT_EQ(arrow->m_nHeadSize, 3);
  arrow->SetProp(PROP_ARROWANGLE, 60);
  EXPECT_EQ(arrow->m_nHeadAngle, 45);
  arrow->SetProp(PROP_ARROWANGLE, 1);
  EXPECT_EQ(arrow->m_nHeadAngle, 5);
}

TEST_F(DrawPolyTest, ArrowWhosePointsCoincideHasNoHead) {
  auto arrow = Make<CDrawArrow>({{5, 5}, {5, 5}});
  CPointD left, right;
  EXPECT_FALSE(arrow->GetHeadCorners(left, right));
  RECT r = arrow->GetInvalidRect();
  EXPECT_LT(r.left, r.right);
  auto real = Make<CDrawArrow>({{0, 0}, {100, 0}});
  ASSERT_TRUE(real->GetHeadCorners(left, right));
  EXPECT_NEAR(left.x, 100 - 18 * std::cos(15 * kDegreeToRadian), 1e-9);
  EXPECT_NEAR(std::fabs(left.y), 18 * std::sin(15 * kDegreeToRadian), 1e-9);
  EXPECT_NEAR(left.y, -right.y, 1e-9);
}

std::vector<int> PropIds(CDrawObj& obj) {
  PropDesc recs[32];
  PropDescList list = {0, recs};
  obj.GetPropList(&list);
  std::vector<int> ids;
  for (int i = 0; i < list.count; ++i) ids.push_back(recs[i].id);
  return ids;
}

TEST_F(DrawPolyTest, PropertyListsByClass) {
  auto poly = Make<CDrawPoly>({{0, 0}, {1, 1}});
  EXPECT_EQ(PropIds(*poly), (std::vector<int>{0, 1, 2, 6, 4, 5, 9, 10}));
  auto arrow = Make<CDrawArrow>({{0, 0}, {1, 1}});
  EXPECT_EQ(PropIds(*arrow), (std::vector<int>{0, 1, 2, 6, 4, 5, 14, 15, 9, 10}));
  auto pipe = Make<CDrawPipe>({{0, 0}, {1, 1}});
  EXPECT_EQ(PropIds(*pipe), (std::vector<int>{0, 1, 2, 6, 7, 16, 9, 10}));
}

TEST_F(DrawPolyTest, FilledPropertyListFollowsOutlineAndFillStyle) {
  auto polygon = Make<CDrawPolygon>({{0, 0}, {1, 1}, {2, 0}});
  polygon->m_clrLine = kNoColor;
  EXPECT_EQ(PropIds(*polygon), (std::vector<int>{0, 1, 2, 6, 8, 9, 10}));
  polygon->m_clrLine = 0;
  polygon->m_nFillStyle = 1;
  EXPECT_EQ(PropIds(*polygon), (std::vector<int>{0, 1, 2, 6, 4, 5, 8, 7, 9, 10}));
  PropDesc recs[32];
  PropDescList list = {0, recs};
  polygon->GetPropList(&list);
  EXPECT_STREQ(recs[3].name, "边框颜色");
  EXPECT_EQ(recs[3].minimum, 1);
  EXPECT_STREQ(recs[7].name, "填充颜色");
  polygon->m_nFillStyle = 4;
  polygon->GetPropList(&list);
  EXPECT_STREQ(recs[7].name, "填充颜色1");
  EXPECT_STREQ(recs[8].name, "填充颜色2");
  EXPECT_TRUE(polygon->SetProp(PROP_FILLCOLOR2, 0x123));
  EXPECT_EQ(polygon->m_clrFill2, 0x123u);
}

TEST_F(DrawPolyTest, LinkKindsByClassWithoutLinks) {
  ActionKindDesc kinds[kMaxActionKinds];
  ActionKindList list = {0, kinds};
  auto line = Make<CDrawLine>({{0, 0}, {1, 1}});
  EXPECT_EQ(line->GetActionKinds(&list), 10);
  EXPECT_EQ(kinds[1].kind, 9);
  EXPECT_EQ(kinds[3].flags, 0x0200u);  // movement: script only, no link yet
  auto polygon = Make<CDrawPolygon>({{0, 0}, {1, 1}, {2, 0}});
  EXPECT_EQ(polygon->GetActionKinds(&list), 11);
  EXPECT_EQ(list.count, 11);
  auto pipe = Make<CDrawPipe>({{0, 0}, {1, 1}});
  EXPECT_EQ(pipe->GetActionKinds(&list), 10);
  EXPECT_EQ(kinds[1].kind, 3);
}

TEST_F(DrawPolyTest, InvalidRectsCoverLineWidthAndArrowHead) {
  auto poly = Make<CDrawPoly>({{10, 10}, {110, 10}});
  poly->m_nLineWidth = 4;
  RECT r = poly->GetInvalidRect();
  EXPECT_EQ(r.left, 4);  // 10 - 2 - 4
  EXPECT_EQ(r.top, 4);
  EXPECT_EQ(r.right, 116);
  auto arrow = Make<CDrawArrow>({{100, 100}, {200, 100}});
  RECT a = arrow->GetInvalidRect();
  // Half the line width and 1.5 head sizes on each side, then 4 pixels.
  EXPECT_EQ(a.left, 69);
  EXPECT_EQ(a.top, 69);
  EXPECT_EQ(a.right, 232);
}

// n points around an ellipse within (20, 20)-(140, 120), at fractions of a
// pixel apart: runs of them fall on one device pixel.
std::vector<CPointD> DenseOutline(int n) {
  std::vector<CPointD> pts;
  for (int i = 0; i < n; ++i) {
    const double a = 6.283185307179586 * i / n;
    pts.emplace_back(80 + 60 * std::cos(a), 70 + 50 * std::sin(a));
  }
  return pts;
}

// Objects whose outlines repeat device points paint what the platform paints
// from every point: the fill, and the outline of a thin cosmetic pen.
TEST_F(DrawPolyTest, RepeatedDevicePointsPaintAsThePlatformDrawsThemAll) {
  struct Case {
    const char* what;
    bool polygon;
    int fillStyle;
    COLORREF line;
    int lineStyle;
  };
  const Case cases[] = {
      {"plain polygon", true, 1, RGB(200, 0, 0), PS_SOLID},
      {"hatched polygon", true, 1000 + HS_DIAGCROSS, RGB(0, 0, 200), PS_SOLID},
      {"polygon without outline", true, 1, kNoColor, PS_SOLID},
      {"poly-line", false, 0, RGB(0, 120, 0), PS_SOLID},
      {"poly-line of a cosmetic style", false, 0, RGB(0, 120, 0), PS_INSIDEFRAME},
  };
  const std::vector<CPointD> outline = DenseOutline(20000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<CDrawPoly> obj(c.polygon ? new CDrawPolygon : new CDrawPoly);
    obj->m_points = outline;
    obj->m_nFillStyle = c.fillStyle;
    obj->m_clrFill1 = RGB(250, 200, 0);
    obj->m_clrLine = c.line;
    obj->m_nLineStyle = c.lineStyle;
    obj->m_nLineWidth = 1;
    qeltest::RenderSurface drawn(160, 140), direct(160, 140);
    drawn.Fill(0xFFFFFF);
    direct.Fill(0xFFFFFF);
    {
      CDC dc(drawn.dc());
      obj->Draw(&dc, 0);
    }
    std::vector<POINT> every;
    for (const CPointD& p : outline) every.push_back(POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)});
    if (c.polygon) every.push_back(every.front());
    CPen pen;
    ASSERT_TRUE(CreateLinePen(pen, c.lineStyle, 1, 1.0, c.line, PenRule::DashStyles, c.line == kNoColor));
    CDC dc(direct.dc());
    CSelectGdi selectPen(dc, pen);
    if (c.polygon) {
      CBrush brush;
      ASSERT_TRUE(CreateFillBrush(brush, c.fillStyle, obj->m_clrFill1));
      CSelectGdi selectBrush(dc, brush);
      dc.Polygon(every.data(), static_cast<int>(every.size()));
    }
    if (c.line != kNoColor) dc.Polyline(every.data(), static_cast<int>(every.size()));
    EXPECT_EQ(drawn.Pixels(), direct.Pixels());
    EXPECT_GT(drawn.CountPixels(qeltest::RgbOf(c.polygon ? obj->m_clrFill1 : c.line)), 200);
  }
}

}  // namespace
