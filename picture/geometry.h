// Double-precision picture geometry and the one rule that maps picture units
// to device pixels.
//
// Picture units are pixels at zoom 1.0, origin top-left, y growing downwards.
// Rectangles are not kept normalised (a stretch or flip may reverse them);
// whatever needs an ordered rectangle normalises a copy.
#pragma once
#include <windows.h>

#include <cmath>
#include <cstddef>

class CArchive;

// Every coordinate handed on as an integer (device pixels for the platform,
// integer picture positions for regions and tools) stays within this many
// units of 0. It holds every point of a picture up to 16,384 pixels square at
// the editor's largest zoom (400%), while a polygon reaching it still fills
// in about a millisecond: the platform's fill and region work grows with the
// extent of a shape, and at 2^31 takes minutes.
constexpr double kCoordLimit = 65536.0;

// v held to [-kCoordLimit, kCoordLimit]; a NaN gives 0. A drawing skips what
// is not finite before it converts (IsFinite); this only keeps every cast
// defined.
inline double SaturateCoord(double v) {
  if (v >= -kCoordLimit && v <= kCoordLimit) return v;
  if (v > 0.0) return kCoordLimit;
  if (v < 0.0) return -kCoordLimit;
  return 0.0;
}

// Whether a device extent (a side, a segment's steps) is longer than any
// valid picture reaches on the device: all of one lies within kCoordLimit
// at the largest zoom, so only a damaged object's saturated points span
// more. Work that grows with such an extent may then be cut down to what
// shows, at the price of the exact pixels a valid picture gets.
inline bool IsBeyondValidExtent(double extent) { return extent > kCoordLimit; }

// Truncation toward zero of a coordinate, saturated.
inline int TruncCoord(double v) { return static_cast<int>(SaturateCoord(v)); }

// Rounding used for every picture-to-device conversion: add one half, then
// truncate toward zero (so -2.7 becomes -2). Never floor, never banker's.
// Saturated like TruncCoord.
inline int RoundCoord(double v) { return static_cast<int>(SaturateCoord(v + 0.5)); }

struct CPointD {
  double x = 0.0;
  double y = 0.0;

  CPointD() = default;
  CPointD(double px, double py) : x(px), y(py) {}
  explicit CPointD(const POINT& pt) : x(pt.x), y(pt.y) {}

  void Set(double px, double py) {
    x = px;
    y = py;
  }
  void Set(const POINT& pt) {
    x = pt.x;
    y = pt.y;
  }

  // x then y, each as an 8-byte double.
  void Serialize(CArchive& ar);

  // Exact comparison: picture coordinates carry no tolerance.
  bool operator==(const CPointD& o) const { return x == o.x && y == o.y; }
  bool operator!=(const CPointD& o) const { return !(*this == o); }
};

// Whether both coordinates are numbers other than infinities: a damaged
// file may hold NaN or infinite coordinates, and such a shape is not drawn.
inline bool IsFinite(const CPointD& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
bool AllFinite(const CPointD* pts, size_t n);
template <class Points>
bool AllFinite(const Points& pts) {
  return AllFinite(pts.data(), pts.size());
}

// Each coordinate truncated toward zero by TruncCoord.
inline POINT TruncatedPoint(const CPointD& p) { return POINT{TruncCoord(p.x), TruncCoord(p.y)}; }

struct CRectD {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;

  CRectD() = default;
  CRectD(double l, double t, double r, double b) : left(l), top(t), right(r), bottom(b) {}

  void Set(double l, double t, double r, double b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void Set(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  void Set(const RECT& rc) {
    Set(static_cast<int>(rc.left), static_cast<int>(rc.top), static_cast<int>(rc.right),
        static_cast<int>(rc.bottom));
  }

  // Signed: negative for a reversed rectangle.
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }

  // Orders left <= right and top <= bottom; equal sides stay as they are.
  void Normalize();
  // Moves each side by half the amount, outwards in the rectangle's own
  // orientation; a rectangle with left == right counts as reversed.
  void Inflate(int dx, int dy);
  // Each coordinate rounded by RoundCoord.
  RECT ToRect() const;
  bool IsFinite() const {
    return std::isfinite(left) && std::isfinite(top) && std::isfinite(right) && std::isfinite(bottom);
  }
};

// A direction or a turn, as the sine and cosine of its angle.
struct DirPair {
  double sine = 0.0;
  double cosine = 1.0;
};

// Degrees to radians with pi taken as 3.1415926: stored pictures were made
// with this factor, so angles must turn out the same.
constexpr double kDegreeToRadian = 0.017453292222222222;

// Direction of A->B: (dy / L, dx / L). A zero-length segment gives the +x
// direction (0, 1) instead of dividing by zero.
DirPair Direction(const CPointD& a, const CPointD& b);
DirPair DirectionOfDegrees(double degrees);
DirPair AddDirections(const DirPair& d1, const DirPair& d2);
DirPair SubtractDirections(const DirPair& d1, const DirPair& d2);

// B turned about A by +theta / -theta, keeping its distance from A.
CPointD RotateForward(const CPointD& a, const CPointD& b, const DirPair& theta);
CPointD RotateBackward(const CPointD& a, const CPointD& b, const DirPair& theta);
// The point at distance |AB| from A in the absolute direction dir.
CPointD PointInDirection(const CPointD& a, const CPointD& b, const DirPair& dir);

// Distance A-B; exactly 0 when the squared distance is below 1e-6.
double Distance(const CPointD& a, const CPointD& b);

// Angle of A->B in radians, in (0, 2pi]: straight along +x gives 2pi, not 0.
double DirectionAngle(const CPointD& a, const CPointD& b);

// Whether P lies in the band of half-width t around segment AB (no end caps):
// at most t from the line through A and B, edges included, between A and B.
// 0 hit, -1 miss; a degenerate segment never hits.
int SegmentBandTest(const CPointD& a, const CPointD& b, const CPointD& p, double t);

// The bounding box of n points, n at least 1.
CRectD BoundingBox(const CPointD* pts, size_t n);
// The box of one point, and a bounding box grown to take in one more point.
inline CRectD PointBox(const CPointD& p) { return CRectD(p.x, p.y, p.x, p.y); }
void GrowBox(CRectD& box, const CPointD& p);

// The integer rectangle (right and bottom exclusive) of every pixel that a
// finite device box touches, grown by nGrow pixels on every side; each edge
// saturated like a coordinate before it is grown.
RECT EnclosingRect(const CRectD& box, int nGrow);

// Zoom and scroll offset that a window hands to its draw objects.
// Device coordinates come out saturated (SaturateCoord), so whatever is
// computed from them and handed to the platform stays in its quick range.
struct ViewTransform {
  double zoom = 1.0;
  int originX = 0;  // scroll offset in device pixels
  int originY = 0;

  double ToDeviceX(double x) const { return SaturateCoord(x * zoom - originX); }
  double ToDeviceY(double y) const { return SaturateCoord(y * zoom - originY); }
  CPointD ToDevice(const CPointD& p) const { return CPointD(ToDeviceX(p.x), ToDeviceY(p.y)); }
  CRectD ToDevice(const CRectD& r) const {
    return CRectD(ToDeviceX(r.left), ToDeviceY(r.top), ToDeviceX(r.right), ToDeviceY(r.bottom));
  }
  POINT ToDevicePoint(const CPointD& p) const;

  CPointD ToPicture(double xDev, double yDev) const {
    return CPointD((xDev + originX) / zoom, (yDev + originY) / zoom);
  }
  // Integer picture position of a device pixel, rounded by RoundCoord.
  POINT ToPicturePoint(int xDev, int yDev) const;
};
