#include "picgrid.h"

#include "gdiwrap.h"
#include "geometry.h"

namespace {

// The smallest k in [from, to) for which the (monotone: false, then true)
// test holds; to when it holds for none. O(log(to - from)) tests.
template <class Test>
long long FirstWhere(long long from, long long to, Test holds) {
  while (from < to) {
    const long long mid = from + (to - from) / 2;
    if (holds(mid))
      to = mid;
    else
      from = mid + 1;
  }
  return from;
}

}  // namespace

std::vector<int> GridDotCoords(int count, int step, double zoom, int origin, int lo, int hi) {
  std::vector<int> coords;
  if (count < 1 || lo >= hi || !(zoom == zoom)) return coords;
  // Walked in the order of growing window coordinates: from dot 1 at a
  // positive zoom, from the last dot at a negative one (a mirrored view).
  const bool rising = zoom >= 0.0;
  auto at = [&](long long k) {
    const long long dot = rising ? k : count + 1 - k;
    return RoundCoord(static_cast<double>(dot * step) * zoom - origin);
  };
  const long long end = count + 1LL;
  const long long first = FirstWhere(1, end, [&](long long k) { return at(k) >= lo; });
  const long long stop = FirstWhere(first, end, [&](long long k) { return at(k) >= hi; });
  // Each coordinate once: where dots lie closer than a pixel apart the walk
  // jumps to the first dot past the current coordinate, so the work follows
  // the painted width, whatever the zoom.
  for (long long k = first; k < stop;) {
    const int c = at(k);
    coords.push_back(c);
    k = FirstWhere(k + 1, stop, [&](long long j) { return at(j) > c; });
  }
  return coords;
}

int DrawGridDots(CDC& dc, const RECT& area, SIZE picture, int step, double zoom, POINT origin,
                 COLORREF colour) {
  const std::vector<int> xs = GridDotCoords(picture.cx / step, step, zoom, origin.x, area.left, area.right);
  const std::vector<int> ys = GridDotCoords(picture.cy / step, step, zoom, origin.y, area.top, area.bottom);
  for (int y : ys)
    for (int x : xs) dc.SetPixel(x, y, colour);
  return static_cast<int>(xs.size() * ys.size());
}
