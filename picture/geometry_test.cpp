#include "geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "archive.h"
#include "exceptions.h"
#include "memfile.h"

namespace {

const double kPi = 3.14159265358979323846;

void ExpectRect(const RECT& rc, LONG l, LONG t, LONG r, LONG b) {
  EXPECT_EQ(rc.left, l);
  EXPECT_EQ(rc.top, t);
  EXPECT_EQ(rc.right, r);
  EXPECT_EQ(rc.bottom, b);
}

TEST(PointD, ConstructsAtOriginAndSetsFromIntegers) {
  CPointD p;
  EXPECT_EQ(p.x, 0.0);
  EXPECT_EQ(p.y, 0.0);
  POINT pt = {-3, 7};
  p.Set(pt);
  EXPECT_EQ(p, CPointD(-3.0, 7.0));
}

TEST(PointD, EqualityHasNoTolerance) {
  EXPECT_TRUE(CPointD(1.5, 2.5) == CPointD(1.5, 2.5));
  EXPECT_FALSE(CPointD(0.1 + 0.2, 0) == CPointD(0.3, 0));
  EXPECT_TRUE(CPointD(0.1 + 0.2, 0) != CPointD(0.3, 0));
  EXPECT_FALSE(CPointD(1.0, 1.0) == CPointD(1.0, std::nextafter(1.0, 2.0)));
}

TEST(PointD, SerializesXThenYAsDoubles) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CPointD p(1.5, -0.1);
    p.Serialize(ar);
    ar.Close();
  }
  ASSERT_EQ(file.GetLength(), 16u);
  BYTE* bytes = file.Detach();
  double x = 0, y = 0;
  std::memcpy(&x, bytes, 8);
  std::memcpy(&y, bytes + 8, 8);
  EXPECT_EQ(x, 1.5);
  EXPECT_EQ(y, -0.1);

  CMemFile in(bytes, 16);
  CArchive ar(&in, CArchive::load);
  CPointD back;
  back.Serialize(ar);
  EXPECT_EQ(back, CPointD(1.5, -0.1));
  EXPECT_THROW(back.Serialize(ar), CArchiveException);  // nothing left
  ar.Close();
  in.Detach();
  free(bytes);
}

TEST(RectD, WidthAndHeightAreSigned) {
  CRectD r(10, 20, 4, 5);
  EXPECT_EQ(r.Width(), -6.0);
  EXPECT_EQ(r.Height(), -15.0);
  RECT rc = {1, 2, 30, 40};
  r.Set(rc);
  EXPECT_EQ(r.Width(), 29.0);
  EXPECT_EQ(r.Height(), 38.0);
}

TEST(RectD, NormalizeOrdersEachAxisAndLeavesEqualSides) {
  struct Case {
    CRectD in, want;
  };
  const Case cases[] = {
      {{5, 6, 1, 2}, {1, 2, 5, 6}},
      {{1, 6, 5, 2}, {1, 2, 5, 6}},
      {{3, 3, 3, 3}, {3, 3, 3, 3}},
      {{3, 9, 3, 1}, {3, 1, 3, 9}},
  };
  for (const Case& c : cases) {
    CRectD r = c.in;
    r.Normalize();
    EXPECT_EQ(r.left, c.want.left);
    EXPECT_EQ(r.top, c.want.top);
    EXPECT_EQ(r.right, c.want.right);
    EXPECT_EQ(r.bottom, c.want.bottom);
  }
}

TEST(RectD, InflateGrowsOutwardsInTheRectanglesOwnOrientation) {
  struct Case {
    CRectD in;
    int dx, dy;
    CRectD want;
  };
  const Case cases[] = {
      {{10, 10, 20, 20}, 4, 6, {8, 7, 22, 23}},
      {{20, 20, 10, 10}, 4, 6, {22, 23, 8, 7}},      // reversed grows the other way
      {{10, 10, 20, 20}, -4, -2, {12, 11, 18, 19}},  // negative shrinks
      // left == right counts as reversed: left grows, right shrinks.
      {{5, 5, 5, 5}, 4, 4, {7, 7, 3, 3}},
      {{10, 10, 20, 20}, 3, 1, {8.5, 9.5, 21.5, 20.5}},  // half of an odd amount
  };
  for (const Case& c : cases) {
    CRectD r = c.in;
    r.Inflate(c.dx, c.dy);
    EXPECT_EQ(r.left, c.want.left);
    EXPECT_EQ(r.top, c.want.top);
    EXPECT_EQ(r.right, c.want.right);
    EXPECT_EQ(r.bottom, c.want.bottom);
  }
  CRectD flat(5, 5, 5, 5);
  flat.Inflate(4, 0);
  EXPECT_GT(flat.left, flat.right);
}

TEST(RectD, ToRectAddsAHalfAndTruncatesTowardZero) {
  ExpectRect(CRectD(-0.4, 0.5, 1.49, -1.6).ToRect(), 0, 1, 1, -1);
  ExpectRect(CRectD(-2.7, -0.5, 2.5, -3.5).ToRect(), -2, 0, 3, -3);
}

TEST(Rounding, IsHalfUpThenTruncation) {
  struct Case {
    double v;
    int want;
  };
  const Case cases[] = {{2.5, 3}, {2.49, 2}, {-2.7, -2}, {-2.5, -2}, {-0.6, 0}, {-1.5, -1}};
  for (const Case& c : cases) EXPECT_EQ(RoundCoord(c.v), c.want) << c.v;
}

TEST(Rounding, SaturatesIntoTheCoordinateRangeAndTakesNaNAsZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v;
    int round, trunc;
  };
  const Case cases[] = {
      {65535.6, 65536, 65535},
      {65536.0, 65536, 65536},
      {1e9, 65536, 65536},
      {-1e9, -65536, -65536},
      {-65536.0, -65535, -65536},
      {2147483648.0, 65536, 65536},
      {-2147483649.0, -65536, -65536},
      {1e300, 65536, 65536},
      {inf, 65536, 65536},
      {-inf, -65536, -65536},
      {nan, 0, 0},
      {-2.7, -2, -2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundCoord(c.v), c.round) << c.v;
    EXPECT_EQ(TruncCoord(c.v), c.trunc) << c.v;
  }
  ExpectRect(CRectD(-1e12, nan, 3e9, 12.5).ToRect(), -65536, 0, 65536, 13);
}

TEST(Geometry, FinitePointsAreThoseWithoutNaNOrInfinity) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(IsFinite(CPointD(1e300, -1e300)));
  EXPECT_FALSE(IsFinite(CPointD(nan, 0)));
  EXPECT_FALSE(IsFinite(CPointD(0, -inf)));
  const std::vector<CPointD> some = {CPointD(0, 0), CPointD(5, 5), CPointD(inf, 1)};
  EXPECT_TRUE(AllFinite(some.data(), 2));
  EXPECT_FALSE(AllFinite(some));
  EXPECT_TRUE(AllFinite(std::vector<CPointD>()));
  EXPECT_FALSE(CRectD(0, 0, nan, 1).IsFinite());
  EXPECT_TRUE(CRectD(-1e308, 0, 1e308, 1).IsFinite());
}

TEST(Geometry, DegreeFactorIsPiAs3_1415926) {
  EXPECT_EQ(kDegreeToRadian, 0.017453292222222222);
  const DirPair d = DirectionOfDegrees(90.0);
  EXPECT_DOUBLE_EQ(d.sine, 1.0);
  // 90 degrees fall 2.68e-8 short of pi / 2: the cosine is that, not 0.
  EXPECT_NEAR(d.cosine, 3.14159265358979323846 / 2 - 1.5707963, 1e-15);
  const DirPair d30 = DirectionOfDegrees(30.0);
  EXPECT_NEAR(d30.sine, std::sin(0.52359876666666666), 1e-15);
}

TEST(Geometry, DirectionIsSineThenCosine) {
  const DirPair d = Direction(CPointD(1, 1), CPointD(4, 5));
  EXPECT_DOUBLE_EQ(d.sine, 0.8);
  EXPECT_DOUBLE_EQ(d.cosine, 0.6);
}

TEST(Geometry, DirectionOfAZeroLengthSegmentIsPlusX) {
  const DirPair d = Direction(CPointD(7, 7), CPointD(7, 7));
  EXPECT_EQ(d.sine, 0.0);
  EXPECT_EQ(d.cosine, 1.0);
  const DirPair tiny = Direction(CPointD(0, 0), CPointD(1e-7, 0));
  EXPECT_EQ(tiny.sine, 0.0);
  EXPECT_EQ(tiny.cosine, 1.0);
}

TEST(Geometry, SumAndDifferenceOfDirections) {
  const DirPair a = DirectionOfDegrees(30), b = DirectionOfDegrees(45);
  const DirPair sum = AddDirections(a, b), diff = SubtractDirections(a, b);
  const DirPair want75 = DirectionOfDegrees(75), wantM15 = DirectionOfDegrees(-15);
  EXPECT_NEAR(sum.sine, want75.sine, 1e-12);
  EXPECT_NEAR(sum.cosine, want75.cosine, 1e-12);
  EXPECT_NEAR(diff.sine, wantM15.sine, 1e-12);
  EXPECT_NEAR(diff.cosine, wantM15.cosine, 1e-12);
}

TEST(Geometry, RotationKeepsTheDistanceAndTurnsBothWays) {
  const CPointD a(10, 10), b(20, 10);
  const DirPair quarter{1.0, 0.0};
  const CPointD fwd = RotateForward(a, b, quarter);
  EXPECT_NEAR(fwd.x, 10.0, 1e-12);  // +theta turns +x towards +y (down)
  EXPECT_NEAR(fwd.y, 20.0, 1e-12);
  const CPointD back = RotateBackward(a, b, quarter);
  EXPECT_NEAR(back.x, 10.0, 1e-12);
  EXPECT_NEAR(back.y, 0.0, 1e-12);
  const CPointD turned = RotateForward(a, CPointD(13, 14), DirectionOfDegrees(37));
  EXPECT_NEAR(Distance(a, turned), 5.0, 1e-12);
  const CPointD abs = PointInDirection(a, CPointD(13, 14), DirPair{-1.0, 0.0});
  EXPECT_NEAR(abs.x, 10.0, 1e-12);
  EXPECT_NEAR(abs.y, 5.0, 1e-12);
}

TEST(Geometry, DistanceBelowTheThresholdIsExactlyZero) {
  EXPECT_EQ(Distance(CPointD(0, 0), CPointD(3, 4)), 5.0);
  EXPECT_EQ(Distance(CPointD(1, 1), CPointD(1.0007, 1.0005)), 0.0);
  EXPECT_EQ(Distance(CPointD(0, 0), CPointD(0.0007, 0.0007)), 0.0);
  EXPECT_GT(Distance(CPointD(0, 0), CPointD(0.0011, 0)), 0.0);
}

TEST(Geometry, DirectionAngleUsesTheTwoPiRule) {
  struct Case {
    CPointD b;
    double want;
  };
  const Case cases[] = {
      {{5, 0}, 2 * kPi},  // straight along +x is 2pi, not 0
      {{0, 5}, kPi / 2}, {{-5, 0}, kPi},        {{0, -5}, 1.5 * kPi},
      {{5, 5}, kPi / 4}, {{5, -5}, 1.75 * kPi}, {{-5, 5}, 0.75 * kPi},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(DirectionAngle(CPointD(0, 0), c.b), c.want, 1e-12) << c.b.x << "," << c.b.y;
  EXPECT_EQ(DirectionAngle(CPointD(0, 0), CPointD(5, 0)), 2 * kPi);
  // Zero length: the +x direction.
  EXPECT_EQ(DirectionAngle(CPointD(3, 3), CPointD(3, 3)), 2 * kPi);
}

TEST(Geometry, SegmentBandTest) {
  struct Case {
    CPointD a, b, p;
    double t;
    int want;
  };
  const Case cases[] = {
      {{0, 0}, {100, 0}, {50, 2}, 3, 0},
      {{0, 0}, {100, 0}, {50, 4}, 3, -1},
      {{0, 0}, {100, 0}, {50, -2}, 3, 0},
      {{0, 0}, {100, 0}, {-2, 0}, 3, -1},  // no end caps
      {{0, 0}, {100, 0}, {102, 0}, 3, -1},
      {{0, 0}, {100, 0}, {50, -3}, 3, 0},  // both edges belong to the band
      {{0, 0}, {100, 0}, {50, 3}, 3, 0},
      {{0, 0}, {100, 0}, {50, 3.1}, 3, -1},
      {{0, 0}, {100, 0}, {50, -3.1}, 3, -1},
      {{0, 0}, {100, 0}, {50.9, 2.9}, 3, 0},
      {{0, 0}, {100, 0}, {0, 3}, 3, 0},  // the ends belong to it too
      {{0, 0}, {100, 0}, {100, -3}, 3, 0},
      {{40, 100}, {300, 230}, {80, 122}, 2, 0},   // 1.79 below a shallow line
      {{40, 100}, {300, 230}, {80, 118}, 2, 0},   // and above it
      {{40, 100}, {300, 230}, {80, 123}, 2, -1},  // 2.68 below
      {{100, 0}, {0, 0}, {50, 2}, 3, 0},          // either orientation
      {{0, 0}, {0, 100}, {2, 50}, 3, 0},
      {{0, 0}, {0, 100}, {4, 50}, 3, -1},
      {{0, 0}, {100, 100}, {52, 48}, 3, 0},
      {{0, 0}, {100, 100}, {55, 45}, 3, -1},
      {{1, 1}, {1, 1}, {1, 1}, 3, -1},  // degenerate never hits
      {{1, 1}, {1.0000005, 1.0000005}, {1, 1}, 3, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SegmentBandTest(c.a, c.b, c.p, c.t), c.want)
        << "(" << c.a.x << "," << c.a.y << ")-(" << c.b.x << "," << c.b.y << ") p(" << c.p.x << "," << c.p.y
        << ")";
}

TEST(ViewMapping, MapsPictureToDeviceAndBack) {
  ViewTransform v;
  EXPECT_EQ(v.zoom, 1.0);
  EXPECT_EQ(v.originX, 0);
  EXPECT_EQ(v.originY, 0);
  v.zoom = 2.0;
  v.originX = 10;
  v.originY = 20;
  const CPointD dev = v.ToDevice(CPointD(15.3, 7.1));
  EXPECT_DOUBLE_EQ(dev.x, 20.6);
  EXPECT_DOUBLE_EQ(dev.y, -5.8);
  const POINT ip = v.ToDevicePoint(CPointD(15.3, 7.1));
  EXPECT_EQ(ip.x, 21);
  EXPECT_EQ(ip.y, -5);
  const CPointD back = v.ToPicture(20.6, -5.8);
  EXPECT_DOUBLE_EQ(back.x, 15.3);
  EXPECT_DOUBLE_EQ(back.y, 7.1);
  const POINT pic = v.ToPicturePoint(21, -5);
  EXPECT_EQ(pic.x, 16);  // 15.5 rounds up
  EXPECT_EQ(pic.y, 8);   // 7.5 rounds up
  const POINT neg = v.ToPicturePoint(-30, -30);
  EXPECT_EQ(neg.x, -9);  // -10 + 0.5 -> -9.5 -> -9
  EXPECT_EQ(neg.y, -4);  // -5 + 0.5 -> -4.5 -> -4
}

TEST(ViewMapping, FarPicturePointsSaturateOnTheDevice) {
  ViewTransform v;
  v.zoom = 4.0;
  v.originX = 100;
  v.originY = -100;
  const CPointD distant = v.ToDevice(CPointD(1e9, -1e12));
  EXPECT_EQ(distant.x, kCoordLimit);
  EXPECT_EQ(distant.y, -kCoordLimit);
  const POINT ip = v.ToDevicePoint(CPointD(-2147483648.0, 16384.0));
  EXPECT_EQ(ip.x, -65535);  // -65,536 + 0.5, truncated toward zero
  EXPECT_EQ(ip.y, 65536);   // 65,636: held at the end of the range
  const POINT exact = v.ToDevicePoint(CPointD(16000.0, -16000.0));
  EXPECT_EQ(exact.x, 63900);
  EXPECT_EQ(exact.y, -63899);
}

TEST(ViewMapping, RectanglesMapCoordinateByCoordinate) {
  ViewTransform v;
  v.zoom = 0.5;
  v.originX = -4;
  v.originY = 6;
  const CRectD r = v.ToDevice(CRectD(10, 20, 2, 8));
  EXPECT_EQ(r.left, 9.0);
  EXPECT_EQ(r.top, 4.0);
  EXPECT_EQ(r.right, 5.0);
  EXPECT_EQ(r.bottom, -2.0);
}

}  // namespace
