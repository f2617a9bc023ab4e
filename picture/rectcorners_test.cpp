#include "rectcorners.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kTol = 1e-9;

RectCorners Corners(CPointD a, CPointD b, CPointD c, CPointD d) {
  RectCorners r;
  r.p[0] = a;
  r.p[1] = b;
  r.p[2] = c;
  r.p[3] = d;
  return r;
}

void ExpectCorners(const RectCorners& got, const RectCorners& want, double tol = kTol) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(got.p[i].x, want.p[i].x, tol) << "P" << i + 1 << ".x";
    EXPECT_NEAR(got.p[i].y, want.p[i].y, tol) << "P" << i + 1 << ".y";
    EXPECT_FALSE(std::isnan(got.p[i].x) || std::isnan(got.p[i].y)) << "P" << i + 1;
  }
}

// The rectangle (0, 0)-(100, 50) that most cases start from.
RectCorners Base() { return RectCorners::FromRect(CRectD(0, 0, 100, 50)); }

// A rectangle turned by 30 degrees about P1 = (10, 20), 100 wide and 50 high.
RectCorners Turned30() {
  RectCorners r = RectCorners::FromRect(CRectD(10, 20, 110, 70));
  r.Rotate(CPointD(10, 20), DirectionOfDegrees(30));
  return r;
}

TEST(RectCorners, HandlesLieOnCornersSidesAndThreeQuartersAlongTheFirstSide) {
  const RectCorners r = Base();
  const struct {
    int handle;
    CPointD at;
  } cases[] = {
      {1, {0, 0}},  {2, {50, 0}}, {3, {100, 0}}, {4, {100, 25}}, {5, {100, 50}}, {6, {50, 50}},
      {7, {0, 50}}, {8, {0, 25}}, {9, {75, 0}},  {10, {0, 0}},   {0, {0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(r.Handle(c.handle), c.at) << "handle " << c.handle;
  }
}

struct DragCase {
  const char* name;
  int handle;
  CPointD to;
  bool changes;
  RectCorners expected;
};

TEST(RectCorners, HandleDragsOfAnAxisParallelRectangle) {
  const DragCase cases[] = {
      {"corner 5 grows", 5, {120, 80}, true, Corners({0, 0}, {120, 0}, {120, 80}, {0, 80})},
      {"corner 5 too narrow", 5, {2, 30}, false, Base()},
      {"corner 5 too low", 5, {60, 1}, false, Base()},
      {"corner 1", 1, {-10, -20}, true, Corners({-10, -20}, {100, -20}, {100, 50}, {-10, 50})},
      {"corner 3", 3, {150, 10}, true, Corners({0, 10}, {150, 10}, {150, 50}, {0, 50})},
      {"corner 7", 7, {20, 90}, true, Corners({20, 0}, {100, 0}, {100, 90}, {20, 90})},
      {"side 2", 2, {30, -10}, true, Corners({0, -10}, {100, -10}, {100, 50}, {0, 50})},
      {"side 4", 4, {130, 999}, true, Corners({0, 0}, {130, 0}, {130, 50}, {0, 50})},
      {"side 6", 6, {-40, 70}, true, Corners({0, 0}, {100, 0}, {100, 70}, {0, 70})},
      {"side 8", 8, {-5, 3}, true, Corners({-5, 0}, {100, 0}, {100, 50}, {-5, 50})},
      {"side 4 too close", 4, {2, 25}, false, Base()},
      {"side 6 too close", 6, {50, 2.5}, false, Base()},
      {"rotation a quarter turn", 9, {0, 100}, true, Corners({0, 0}, {0, 100}, {-50, 100}, {-50, 0})},
      {"rotation too close to P1", 9, {1, 2}, false, Base()},
      {"no such handle", 10, {500, 500}, false, Base()},
      {"handle 0", 0, {500, 500}, false, Base()},
  };
  for (const DragCase& c : cases) {
    SCOPED_TRACE(c.name);
    RectCorners r = Base();
    EXPECT_EQ(r.MoveHandle(c.handle, c.to), c.changes);
    ExpectCorners(r, c.expected);
  }
}

TEST(RectCorners, DraggingASideOfATurnedRectangleKeepsItsAngle) {
  RectCorners r = Turned30();
  const RectCorners before = r;
  const DirPair axis = r.XAxis();
  // Drag handle 4 20 units further along the rectangle's own x axis.
  const CPointD handle = r.Handle(4);
  const CPointD to(handle.x + 20 * axis.cosine, handle.y + 20 * axis.sine);
  ASSERT_TRUE(r.MoveHandle(4, to));
  EXPECT_NEAR(r.XAxis().sine, axis.sine, 1e-9);
  EXPECT_NEAR(r.XAxis().cosine, axis.cosine, 1e-9);
  EXPECT_NEAR(r.Width(), 120.0, 1e-9);
  EXPECT_NEAR(r.Height(), 50.0, 1e-9);
  // P1 and P4 stay.
  EXPECT_NEAR(r.p[0].x, before.p[0].x, 1e-9);
  EXPECT_NEAR(r.p[0].y, before.p[0].y, 1e-9);
  EXPECT_NEAR(r.p[3].x, before.p[3].x, 1e-9);
  EXPECT_NEAR(r.p[3].y, before.p[3].y, 1e-9);
}

TEST(RectCorners, DraggingACornerOfATurnedRectangleKeepsItsAngleAndTheOppositeCorner) {
  RectCorners r = Turned30();
  const RectCorners before = r;
  ASSERT_TRUE(r.MoveHandle(5, CPointD(r.p[2].x + 10, r.p[2].y + 30)));
  EXPECT_NEAR(r.XAxis().sine, before.XAxis().sine, 1e-9);
  EXPECT_NEAR(r.p[0].x, before.p[0].x, 1e-9);
  EXPECT_NEAR(r.p[0].y, before.p[0].y, 1e-9);
  // Still a rectangle: the diagonals have the same length.
  EXPECT_NEAR(Distance(r.p[0], r.p[2]), Distance(r.p[1], r.p[3]), 1e-9);
}

TEST(RectCorners, ZeroSizeRectangleOfADrawingToolGrowsWithoutNaN) {
  RectCorners r = RectCorners::FromRect(CRectD(40, 30, 40, 30));
  EXPECT_TRUE(r.MoveHandle(5, CPointD(80, 60)));
  ExpectCorners(r, Corners({40, 30}, {80, 30}, {80, 60}, {40, 60}));
  RectCorners tiny = RectCorners::FromRect(CRectD(40, 30, 40, 30));
  EXPECT_FALSE(tiny.MoveHandle(5, CPointD(41, 31)));
  ExpectCorners(tiny, RectCorners::FromRect(CRectD(40, 30, 40, 30)));
}

TEST(RectCorners, DraggingPastTheOppositeCornerMirrorsTheRectangle) {
  RectCorners r = Base();
  ASSERT_TRUE(r.MoveHandle(5, CPointD(100, -40)));
  ExpectCorners(r, Corners({0, 0}, {100, 0}, {100, -40}, {0, -40}));
  EXPECT_TRUE(r.IsMirrored());
  EXPECT_FALSE(Base().IsMirrored());
}

TEST(RectCorners, FlipMirrorsEveryCornerAboutTheLine) {
  RectCorners r = RectCorners::FromRect(CRectD(5, 4, 25, 8));
  r.Flip(0, 10, 1);
  ExpectCorners(r, Corners({5, 16}, {25, 16}, {25, 12}, {5, 12}));
  EXPECT_TRUE(r.IsMirrored());
  RectCorners v = RectCorners::FromRect(CRectD(5, 4, 25, 8));
  v.Flip(30, 0, 0);
  ExpectCorners(v, Corners({55, 4}, {35, 4}, {35, 8}, {55, 8}));
  EXPECT_TRUE(v.IsMirrored());
}

TEST(RectCorners, ScaleAndOffsetMoveEveryCorner) {
  RectCorners r = Base();
  r.Scale(CPointD(10, 10), 2.0);
  ExpectCorners(r, Corners({-10, -10}, {190, -10}, {190, 90}, {-10, 90}));
  r.Offset(10, 10);
  ExpectCorners(r, Corners({0, 0}, {200, 0}, {200, 100}, {0, 100}));
}

TEST(RectCorners, SetWidthAndHeightKeepTheFirstCornerAndTheOrientation) {
  RectCorners r = Turned30();
  const RectCorners before = r;
  r.SetWidth(60);
  r.SetHeight(20);
  EXPECT_NEAR(r.Width(), 60, 1e-9);
  EXPECT_NEAR(r.Height(), 20, 1e-9);
  EXPECT_NEAR(r.p[0].x, before.p[0].x, 1e-12);
  EXPECT_NEAR(r.XAxis().sine, before.XAxis().sine, 1e-9);
  EXPECT_FALSE(r.IsMirrored());

  RectCorners mirrored = Base();
  mirrored.Flip(0, 0, 1);  // P4 now lies above P1 in the frame
  mirrored.SetHeight(10);
  ExpectCorners(mirrored, Corners({0, 0}, {100, 0}, {100, -10}, {0, -10}));
  EXPECT_TRUE(mirrored.IsMirrored());
}

TEST(RectCorners, BoundsHoldAllCornersOfATurnedRectangle) {
  RectCorners r = Base();
  r.MoveHandle(9, CPointD(0, 100));
  const CRectD b = r.Bounds();
  EXPECT_NEAR(b.left, -50, kTol);
  EXPECT_NEAR(b.top, 0, kTol);
  EXPECT_NEAR(b.right, 0, kTol);
  EXPECT_NEAR(b.bottom, 100, kTol);
}

}  // namespace
