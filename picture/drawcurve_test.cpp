#include <gtest/gtest.h>

#include <memory>

#include "bezierpath.h"
#include "drawbezier.h"
#include "drawpipe.h"
#include "objtest_util.h"
#include "pipepath.h"

namespace {

class DrawCurveTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterObjectClasses(); }
};

TEST_F(DrawCurveTest, SegmentCountsOfOpenAndClosedCurves) {
  const int counts[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}, {7, 3}, {385, 192}};
  for (const auto& c : counts) EXPECT_EQ(CurveSegmentCount(c[0]), c[1]) << c[0];
  std::vector<CPointD> three = {{0, 0}, {1, 1}, {2, 0}};
  std::vector<CPointD> closed = ClosedCurvePoints(three);
  ASSERT_EQ(closed.size(), 4u);
  EXPECT_EQ(closed[3], three[0]);
  EXPECT_EQ(CurveSegmentCount(4), 1);  // (0, 1, 2) only
  EXPECT_EQ(CurveSegmentCount(static_cast<int>(ClosedCurvePoints({{0, 0}, {1, 1}, {2, 0}, {1, -1}}).size())),
            2);
}

TEST_F(DrawCurveTest, OneSegmentFlattensInto14Points) {
  std::vector<CPointD> flat = FlattenCurve({{0, 0}, {50, 100}, {100, 0}});
  ASSERT_EQ(flat.size(), 14u);
  EXPECT_EQ(flat[0], CPointD(0, 0));
  EXPECT_EQ(flat[1], CPointD(0, 0));  // t = 0 repeats the start
  EXPECT_EQ(flat[13], CPointD(100, 0));
  EXPECT_DOUBLE_EQ(flat[7].x, 50.0);  // t = 6/12: the top of the arc
  EXPECT_DOUBLE_EQ(flat[7].y, 50.0);
  EXPECT_EQ(FlattenCurve({{0, 0}, {1, 1}, {2, 0}, {3, 3}, {4, 0}}).size(), 28u);
}

TEST_F(DrawCurveTest, CurveBoundsAreThoseOfTheFlattenedCurve) {
  CDrawBezier curve;
  for (CPointD p : {CPointD(0, 0), CPointD(50, 100), CPointD(100, 0)}) curve.AddPoint(p);
  CRectD r = curve.GetRect();
  EXPECT_EQ(r.left, 0.0);
  EXPECT_EQ(r.right, 100.0);
  EXPECT_DOUBLE_EQ(r.bottom, 50.0);  // the control point at 100 is not reached
  // The invalid area also covers the control point.
  RECT inv = curve.GetInvalidRect();
  EXPECT_GE(inv.bottom, 100);
}

TEST_F(DrawCurveTest, CurveIsHitAlongTheCurveNotTheControlPolygon) {
  CDrawBezier curve;
  for (CPointD p : {CPointD(0, 0), CPointD(50, 100), CPointD(100, 0)}) curve.AddPoint(p);
  EXPECT_EQ(curve.HitTest(CPointD(25, 36.5), nullptr), 0);  // t = 1/4 lies at (25, 37.5)
  EXPECT_EQ(curve.HitTest(CPointD(25, 50), nullptr), -1);   // on the control polygon only
  EXPECT_EQ(curve.HitTestChild(CPointD(50, 49), nullptr), 0);
  EXPECT_EQ(curve.HitTest(CPointD(50, 49), nullptr), 6);  // the middle of the box's bottom
}

TEST_F(DrawCurveTest, ClosedCurveInteriorCountsWhenFilled) {
  CDrawBezierFill shape;
  for (CPointD p : {CPointD(0, 0), CPointD(50, 100), CPointD(100, 0), CPointD(50, -100)}) shape.AddPoint(p);
  EXPECT_EQ(shape.HitTest(CPointD(50, 0), nullptr), -1);
  shape.m_nFillStyle = 3;
  EXPECT_EQ(shape.HitTest(CPointD(50, 0), nullptr), 0);
  EXPECT_EQ(shape.HitTest(CPointD(50, 80), nullptr), -1);
  EXPECT_EQ(shape.GetObjType(), DOT_BEZIERFILL);
}

struct ShadeCase {
  int width;
  double zoom;
  int steps;
};

TEST_F(DrawCurveTest, PipeShadeStepsAreHalfTheDeviceWidthCappedAt512) {
  const ShadeCase cases[] = {{15, 1.0, 7}, {15, 2.0, 15}, {1, 1.0, 0}, {64, 1.0, 32}, {64, 100.0, 512}};
  for (const ShadeCase& c : cases)
    EXPECT_EQ(PipeShadeSteps(c.width, c.zoom), c.steps) << c.width << "@" << c.zoom;
}

TEST_F(DrawCurveTest, PipeRampRunsFromTheFillToTheLineColour) {
  COLORREF centre = RGB(255, 255, 255);
  COLORREF edge = RGB(0x66, 0x66, 0x66);
  EXPECT_EQ(PipeRampColor(centre, edge, 7, 7), edge);
  EXPECT_EQ(PipeRampColor(centre, edge, 1, 7), RGB(255 - 153 / 7, 255 - 153 / 7, 255 - 153 / 7));
  EXPECT_EQ(PipeRampColor(RGB(0, 10, 200), RGB(100, 0, 0), 1, 2), RGB(50, 5, 100));
}

TEST_F(DrawCurveTest, PipeOffsetOfAStraightLineIsParallel) {
  std::vector<CPointD> path = PipeOffsetPath({{0, 0}, {100, 0}}, 3, 27);
  ASSERT_EQ(path.size(), 2u);
  EXPECT_EQ(path[0], CPointD(0, -3));
  EXPECT_EQ(path[1], CPointD(100, -3));
  EXPECT_TRUE(PipeOffsetPath({{5, 5}, {5, 5}}, 3, 27).empty());
}

TEST_F(DrawCurveTest, PipeBendTakesTheCrossingInsideAndACurveOutside) {
  // A right-angle bend: (0,0) -> (100,0) -> (100,100). The side at -k lies
  // inside (y > 0, x < 100) where the offset segments cross.
  std::vector<CPointD> centre = {{0, 0}, {100, 0}, {100, 100}};
  std::vector<CPointD> inside = PipeOffsetPath(centre, -5, 27);
  ASSERT_EQ(inside.size(), 3u);
  EXPECT_NEAR(inside[1].x, 95.0, 1e-9);
  EXPECT_NEAR(inside[1].y, 5.0, 1e-9);
  std::vector<CPointD> outside = PipeOffsetPath(centre, 5, 27);
  EXPECT_EQ(outside.size(), 2u + 7u);  // the rounding curve: 5 steps and both ends
  for (const CPointD& p : outside) {
    EXPECT_LE(p.x, 105.0 + 1e-9);
    EXPECT_GE(p.y, -5.0 - 1e-9);
  }
}

TEST_F(DrawCurveTest, PipeIsHitWithItsOwnWidthAlsoInsideAGroup) {
  CDrawPipe pipe;
  pipe.AddPoint(CPointD(0, 0));
  pipe.AddPoint(CPointD(100, 0));
  EXPECT_EQ(pipe.m_nLineWidth, 1);
  EXPECT_EQ(pipe.HitTest(CPointD(50, 7.5), nullptr), 0);
  EXPECT_EQ(pipe.HitTest(CPointD(50, 8.5), nullptr), -1);
  EXPECT_EQ(pipe.HitTestChild(CPointD(50, 7.5), nullptr), 0);
  EXPECT_EQ(pipe.HitTestChild(CPointD(50, 8.5), nullptr), -1);
}

TEST_F(DrawCurveTest, NewPipeIsDarkGreyFifteenWide) {
  CDrawPipe pipe;
  EXPECT_EQ(pipe.m_clrLine, 0x666666u);
  EXPECT_EQ(pipe.m_nPipeWidth, 15);
  EXPECT_TRUE(pipe.SetProp(PROP_PIPEWIDTH, 200));
  EXPECT_EQ(pipe.m_nPipeWidth, 200);  // stored unchanged
}

TEST_F(DrawCurveTest, CurvesRoundTrip) {
  std::unique_ptr<CDrawPoly> objs[] = {std::unique_ptr<CDrawPoly>(new CDrawBezier),
                                       std::unique_ptr<CDrawPoly>(new CDrawBezierFill)};
  for (auto& obj : objs) {
    for (int i = 0; i < 5; ++i) obj->AddPoint(CPointD(i * 1.1, i * i * 0.3));
    std::vector<BYTE> bytes = objtest::ObjectBytes(obj.get());
    std::unique_ptr<CObject> back(objtest::ReadObjectBytes(bytes));
    EXPECT_EQ(objtest::ObjectBytes(back.get()), bytes);
  }
}

}  // namespace
