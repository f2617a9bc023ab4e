#include "bezierpath.h"

CPointD QuadraticPoint(const CPointD& start, const CPointD& control, const CPointD& end, double t) {
  CPointD a(start.x + (control.x - start.x) * t, start.y + (control.y - start.y) * t);
  CPointD b(control.x + (end.x - control.x) * t, control.y + (end.y - control.y) * t);
  return CPointD(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t);
}

void FlattenSegment(const CPointD& start, const CPointD& control, const CPointD& end, int steps,
                    std::vector<CPointD>& out) {
  out.push_back(start);
  for (int k = 0; k < steps; ++k) {
    float t = static_cast<float>(k) / static_cast<float>(steps);
    out.push_back(QuadraticPoint(start, control, end, t));
  }
  out.push_back(end);
}

std::vector<CPointD> FlattenCurve(const std::vector<CPointD>& pts, int steps) {
  std::vector<CPointD> out;
  int segments = CurveSegmentCount(static_cast<int>(pts.size()));
  out.reserve(segments * (steps + 2));
  for (int k = 0; k < segments; ++k) FlattenSegment(pts[2 * k], pts[2 * k + 1], pts[2 * k + 2], steps, out);
  return out;
}

std::vector<CPointD> ClosedCurvePoints(const std::vector<CPointD>& pts) {
  std::vector<CPointD> closed = pts;
  if (!pts.empty()) closed.push_back(pts.front());
  return closed;
}
