#include "strokerun.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "geometry.h"

namespace {

// The part [t0, t1] of the segment a -> b inside the box (Liang-Barsky);
// false when the segment misses it.
bool ClipToBox(const POINT& a, const POINT& b, const RECT& box, double& t0, double& t1) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {static_cast<double>(a.x) - box.left, static_cast<double>(box.right) - a.x,
                       static_cast<double>(a.y) - box.top, static_cast<double>(box.bottom) - a.y};
  t0 = 0.0;
  t1 = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
  }
  return t0 <= t1;
}

// The point k steps from a towards b (k may be negative: before a, on the
// segment's line). The step runs along the longer axis, so that coordinate
// is exact and the other one is rounded to the nearest pixel.
POINT StepsAlong(const POINT& a, const POINT& b, long long k, long long steps) {
  const double f = static_cast<double>(k) / static_cast<double>(steps);
  const double x = a.x + (static_cast<double>(b.x) - a.x) * f;
  const double y = a.y + (static_cast<double>(b.y) - a.y) * f;
  return POINT{TruncCoord(std::floor(x + 0.5)), TruncCoord(std::floor(y + 0.5))};
}

// The first step after `from` on a segment whose start lies pos steps into
// the stroke that falls a whole number of pieces from the stroke's start.
long long NextPieceEnd(long long pos, long long from, long long pieceSteps) {
  return ((pos + from) / pieceSteps + 1) * pieceSteps - pos;
}

bool Inside(const POINT& p, const RECT& box) {
  return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
}

struct DashPeriod {
  DWORD style;
  int pixels;
};
constexpr DashPeriod kDashPeriods[] = {{PS_DOT, 2}, {PS_DASH, 4}, {PS_DASHDOT, 6}, {PS_DASHDOTDOT, 8}};

}  // namespace

int DashPeriodOfPen(HGDIOBJ pen) {
  EXTLOGPEN described;
  if (!pen ||
      ::GetObjectW(pen, sizeof described, &described) < static_cast<int>(offsetof(EXTLOGPEN, elpNumEntries)))
    return kDashPeriodPixels;
  if ((described.elpPenStyle & PS_TYPE_MASK) != PS_GEOMETRIC || described.elpWidth != 1)
    return kDashPeriodPixels;
  for (const DashPeriod& d : kDashPeriods)
    if ((described.elpPenStyle & PS_STYLE_MASK) == d.style) return d.pixels;
  return kDashPeriodPixels;
}

std::vector<std::vector<POINT>> StrokeRunsWithin(const POINT* pts, size_t n, const RECT& guard,
                                                 int nPieceSteps, int nVertexPeriod) {
  std::vector<std::vector<POINT>> runs;
  bool open = false;
  long long pos = 0;      // dash steps from the stroke's start
  long long runFrom = 0;  // where the open run starts, in the same steps
  if (n == 1 && Inside(pts[0], guard)) runs.push_back({pts[0]});
  for (size_t i = 0; i + 1 < n; ++i) {
    const POINT& a = pts[i];
    const POINT& b = pts[i + 1];
    const long long steps = std::max(std::llabs(static_cast<long long>(b.x) - a.x),
                                     std::llabs(static_cast<long long>(b.y) - a.y));
    if (open && nVertexPeriod > 0 && pos - runFrom >= kDashPieceSteps && pos % nVertexPeriod == 0) {
      runs.push_back({a});  // the open run ends at a, the next starts there
      runFrom = pos;
    }
    double t0, t1;
    if (!ClipToBox(a, b, guard, t0, t1)) {
      open = false;
      pos += steps;
      continue;
    }
    long long from = 0;  // where the open run's last point lies on the segment
    if (!open) {
      // A run starting at the stroke's start, or a whole number of
      // periods from it, at or before where the segment enters the box.
      const long long entry = pos + static_cast<long long>(std::floor(t0 * steps));
      from = entry / kDashPeriodPixels * kDashPeriodPixels - pos;
      runs.push_back({steps > 0 ? StepsAlong(a, b, from, steps) : a});
      runFrom = pos + from;
      open = true;
    }
    // Where the run leaves the box: the first step outside it, or b.
    const long long exit = t1 < 1.0 ? static_cast<long long>(std::ceil(t1 * steps)) : steps;
    if (nPieceSteps > 0 && IsBeyondValidExtent(static_cast<double>(steps))) {
      // Longer than any valid picture reaches on the device: the part
      // in the box is drawn as pieces, each its own run.
      for (long long k = NextPieceEnd(pos, from, nPieceSteps); k < exit; k += nPieceSteps) {
        const POINT cut = StepsAlong(a, b, k, steps);
        runs.back().push_back(cut);
        runs.push_back({cut});
        runFrom = pos + k;
      }
    }
    if (t1 < 1.0) {
      runs.back().push_back(StepsAlong(a, b, exit, steps));
      open = false;
    } else {
      runs.back().push_back(b);
    }
    pos += steps;
  }
  return runs;
}

void StrokePolyline(CDC* pDC, const POINT* pts, size_t n, int nGuard) {
  if (nGuard <= 0) {
    pDC->Polyline(pts, static_cast<int>(n));
    return;
  }
  RECT guard;
  if (pDC->GetClipBox(&guard) == ERROR) return;
  ::InflateRect(&guard, nGuard, nGuard);
  const bool dashed = nGuard == kDashedStrokeGuard;
  const int pieceSteps = dashed ? kDashPieceSteps : 0;
  const int vertexPeriod = dashed ? DashPeriodOfPen(::GetCurrentObject(*pDC, OBJ_PEN)) : 0;
  for (const std::vector<POINT>& run : StrokeRunsWithin(pts, n, guard, pieceSteps, vertexPeriod))
    pDC->Polyline(run.data(), static_cast<int>(run.size()));
}
