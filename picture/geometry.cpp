#include "geometry.h"

#include <cmath>
#include <utility>

#include "archive.h"

namespace {

constexpr double kTwoPi = 2.0 * 3.14159265358979323846;
constexpr double kPi = 3.14159265358979323846;

// Moves by half of an integer amount (an odd amount moves by x.5).
double Half(int amount) { return amount / 2.0; }

}  // namespace

bool AllFinite(const CPointD* pts, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (!IsFinite(pts[i])) return false;
  return true;
}

void CPointD::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << x << y;
  else
    ar >> x >> y;
}

void CRectD::Normalize() {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

void CRectD::Inflate(int dx, int dy) {
  if (left < right) {
    left -= Half(dx);
    right += Half(dx);
  } else {
    left += Half(dx);
    right -= Half(dx);
  }
  if (top < bottom) {
    top -= Half(dy);
    bottom += Half(dy);
  } else {
    top += Half(dy);
    bottom -= Half(dy);
  }
}

RECT CRectD::ToRect() const {
  RECT rc;
  rc.left = RoundCoord(left);
  rc.top = RoundCoord(top);
  rc.right = RoundCoord(right);
  rc.bottom = RoundCoord(bottom);
  return rc;
}

DirPair Direction(const CPointD& a, const CPointD& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double squared = dx * dx + dy * dy;
  if (squared < 1e-12) return DirPair{0.0, 1.0};
  const double length = std::sqrt(squared);
  return DirPair{dy / length, dx / length};
}

DirPair DirectionOfDegrees(double degrees) {
  const double radians = degrees * kDegreeToRadian;
  return DirPair{std::sin(radians), std::cos(radians)};
}

DirPair AddDirections(const DirPair& d1, const DirPair& d2) {
  return DirPair{d1.sine * d2.cosine + d1.cosine * d2.sine, d1.cosine * d2.cosine - d1.sine * d2.sine};
}

DirPair SubtractDirections(const DirPair& d1, const DirPair& d2) {
  return DirPair{d1.sine * d2.cosine - d1.cosine * d2.sine, d1.sine * d2.sine + d1.cosine * d2.cosine};
}

CPointD PointInDirection(const CPointD& a, const CPointD& b, const DirPair& dir) {
  const double length = Distance(a, b);
  return CPointD(a.x + length * dir.cosine, a.y + length * dir.sine);
}

CPointD RotateForward(const CPointD& a, const CPointD& b, const DirPair& theta) {
  return PointInDirection(a, b, AddDirections(Direction(a, b), theta));
}

CPointD RotateBackward(const CPointD& a, const CPointD& b, const DirPair& theta) {
  return PointInDirection(a, b, SubtractDirections(Direction(a, b), theta));
}

double Distance(const CPointD& a, const CPointD& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double squared = dx * dx + dy * dy;
  if (squared < 1e-6) return 0.0;
  return std::sqrt(squared);
}

double DirectionAngle(const CPointD& a, const CPointD& b) {
  const DirPair dir = Direction(a, b);
  // Rounding can push |dy / L| a hair above 1, where asin has no answer.
  const double sine = dir.sine > 1.0 ? 1.0 : (dir.sine < -1.0 ? -1.0 : dir.sine);
  double angle = dir.cosine >= 0.0 ? std::asin(sine) + kTwoPi : kPi - std::asin(sine);
  if (angle > kTwoPi) angle -= kTwoPi;
  return angle;
}

void GrowBox(CRectD& box, const CPointD& p) {
  if (p.x < box.left) box.left = p.x;
  if (p.x > box.right) box.right = p.x;
  if (p.y < box.top) box.top = p.y;
  if (p.y > box.bottom) box.bottom = p.y;
}

CRectD BoundingBox(const CPointD* pts, size_t n) {
  CRectD r = PointBox(pts[0]);
  for (size_t i = 1; i < n; ++i) GrowBox(r, pts[i]);
  return r;
}

RECT EnclosingRect(const CRectD& box, int nGrow) {
  return RECT{TruncCoord(std::floor(box.left)) - nGrow, TruncCoord(std::floor(box.top)) - nGrow,
              TruncCoord(std::ceil(box.right)) + 1 + nGrow, TruncCoord(std::ceil(box.bottom)) + 1 + nGrow};
}

int SegmentBandTest(const CPointD& a, const CPointD& b, const CPointD& p, double t) {
  if (std::fabs(a.x - b.x) < 1e-6 && std::fabs(a.y - b.y) < 1e-6) return -1;
  // Measured on the coordinates themselves: a band whose corners and point
  // were truncated toward zero, as a region without its right and bottom
  // edges, lost up to two pixels on one side of a thin line (a click two
  // pixels below it missed while one two pixels above hit).
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length = std::sqrt(dx * dx + dy * dy);
  const double along = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length;
  const double across = ((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
  return along >= 0.0 && along <= length && std::fabs(across) <= t ? 0 : -1;
}

POINT ViewTransform::ToDevicePoint(const CPointD& p) const {
  POINT pt;
  pt.x = RoundCoord(ToDeviceX(p.x));
  pt.y = RoundCoord(ToDeviceY(p.y));
  return pt;
}

POINT ViewTransform::ToPicturePoint(int xDev, int yDev) const {
  POINT pt;
  pt.x = RoundCoord((xDev + static_cast<double>(originX)) / zoom);
  pt.y = RoundCoord((yDev + static_cast<double>(originY)) / zoom);
  return pt;
}
