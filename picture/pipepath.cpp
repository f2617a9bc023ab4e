#include "pipepath.h"

#include <algorithm>
#include <cmath>

#include "bezierpath.h"
#include "shapepaint.h"

namespace {

constexpr int kBendSteps = 5;
constexpr double kParallelLimit = 1e-9;

struct Segment {
  CPointD a, b;
};

BYTE RampComponent(int centre, int edge, int j, int n) {
  return static_cast<BYTE>(centre + ((edge - centre) * j) / n);
}

// Joins segment s to segment t on the path.
void AppendBend(const Segment& s, const Segment& t, double maxPull, std::vector<CPointD>& path) {
  if (s.b == t.a) {
    path.push_back(s.b);
    return;
  }
  double sx = s.b.x - s.a.x, sy = s.b.y - s.a.y;
  double tx = t.b.x - t.a.x, ty = t.b.y - t.a.y;
  double denom = sx * ty - sy * tx;
  if (std::fabs(denom) < kParallelLimit * (std::fabs(sx * ty) + std::fabs(sy * tx) + 1.0)) {
    path.push_back(s.b);
    path.push_back(t.a);
    return;
  }
  double qx = t.a.x - s.a.x, qy = t.a.y - s.a.y;
  double u = (qx * ty - qy * tx) / denom;  // along s
  double v = (qx * sy - qy * sx) / denom;  // along t
  CPointD cross(s.a.x + sx * u, s.a.y + sy * u);
  if (u >= 0.0 && u <= 1.0 && v >= 0.0 && v <= 1.0) {
    path.push_back(cross);  // the inside of a bend: the segments overlap
    return;
  }
  // The outside of a bend: round it off, never farther out than maxPull.
  CPointD middle((s.b.x + t.a.x) * 0.5, (s.b.y + t.a.y) * 0.5);
  double dx = cross.x - middle.x, dy = cross.y - middle.y;
  double reach = std::sqrt(dx * dx + dy * dy);
  if (reach > maxPull && reach > 0.0) {
    cross.x = middle.x + dx * maxPull / reach;
    cross.y = middle.y + dy * maxPull / reach;
  }
  FlattenSegment(s.b, cross, t.a, kBendSteps, path);
}

}  // namespace

double PipeDeviceWidth(int nPipeWidth, double dZoom) {
  const double w = nPipeWidth * dZoom;
  if (!(w > 0.0)) return 0.0;  // also a NaN zoom
  return std::min(w, static_cast<double>(kMaxPenWidth));
}

int PipeShadeSteps(int nPipeWidth, double dZoom) {
  return static_cast<int>(PipeDeviceWidth(nPipeWidth, dZoom) + 0.5) / 2;
}

COLORREF PipeRampColor(COLORREF centre, COLORREF edge, int j, int n) {
  if (n <= 0) return edge;
  return RGB(RampComponent(GetRValue(centre), GetRValue(edge), j, n),
             RampComponent(GetGValue(centre), GetGValue(edge), j, n),
             RampComponent(GetBValue(centre), GetBValue(edge), j, n));
}

std::vector<CPointD> PipeOffsetPath(const std::vector<CPointD>& centre, double k, double maxPull) {
  std::vector<Segment> segments;
  for (size_t i = 0; i + 1 < centre.size(); ++i) {
    const CPointD& a = centre[i];
    const CPointD& b = centre[i + 1];
    if (a == b) continue;
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::sqrt(dx * dx + dy * dy);
    double nx = dy / len * k, ny = -dx / len * k;
    segments.push_back({CPointD(a.x + nx, a.y + ny), CPointD(b.x + nx, b.y + ny)});
  }
  std::vector<CPointD> path;
  if (segments.empty()) return path;
  path.push_back(segments.front().a);
  for (size_t i = 0; i + 1 < segments.size(); ++i) AppendBend(segments[i], segments[i + 1], maxPull, path);
  path.push_back(segments.back().b);
  return path;
}
