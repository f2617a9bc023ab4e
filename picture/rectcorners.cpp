#include "rectcorners.h"

#include <cmath>

namespace {

// Corner handles 1, 3, 5, 7 drag P1..P4; side handles 2, 4, 6, 8 move the
// side that starts at P1..P4.
bool IsCornerHandle(int h) { return h >= RH_P1 && h <= RH_P4 && (h % 2) == 1; }
bool IsSideHandle(int h) { return h >= RH_TOP && h <= RH_LEFT && (h % 2) == 0; }
int CornerOfHandle(int h) { return (h - 1) / 2; }

// A side drag in the frame: which two corners take the dragged coordinate,
// along which axis, and a corner of the side that stays.
struct SideRule {
  int handle;
  int first, second;
  bool alongX;  // the side moves along the frame's x axis (takes q.x)
  int opposite;
};
constexpr SideRule kSideRules[] = {
    {RH_TOP, 0, 1, false, 3},
    {RH_RIGHT, 1, 2, true, 0},
    {RH_BOTTOM, 2, 3, false, 0},
    {RH_LEFT, 3, 0, true, 1},
};

const SideRule* FindSideRule(int h) {
  for (const SideRule& rule : kSideRules)
    if (rule.handle == h) return &rule;
  return nullptr;
}

}  // namespace

RectCorners RectCorners::FromRect(const CRectD& r) {
  RectCorners c;
  c.p[0] = CPointD(r.left, r.top);
  c.p[1] = CPointD(r.right, r.top);
  c.p[2] = CPointD(r.right, r.bottom);
  c.p[3] = CPointD(r.left, r.bottom);
  return c;
}

CPointD RectCorners::Handle(int h) const {
  if (IsCornerHandle(h)) return p[CornerOfHandle(h)];
  if (IsSideHandle(h)) {
    int from = h / 2 - 1;
    return Middle(p[from], p[(from + 1) % 4]);
  }
  if (h == RH_ROTATE) return CPointD(p[0].x + 0.75 * (p[1].x - p[0].x), p[0].y + 0.75 * (p[1].y - p[0].y));
  return CPointD();
}

bool RectCorners::MoveHandle(int h, const CPointD& q) {
  if (IsCornerHandle(h)) return DragCorner(CornerOfHandle(h), q);
  if (IsSideHandle(h)) return DragSide(h, q);
  if (h == RH_ROTATE) return DragRotation(q);
  return false;
}

bool RectCorners::DragCorner(int d, const CPointD& q) {
  const int o = (d + 2) % 4;
  const DirPair axis = Direction(p[3], p[2]);
  const CPointD centre = Middle(q, p[o]);
  CPointD f[4];
  f[d] = RotateBackward(centre, q, axis);
  f[o] = RotateBackward(centre, p[o], axis);
  // In the frame P1 and P2 share y, P1 and P4 share x: the two corners that
  // were not dragged take one coordinate from each of the pair.
  if (d % 2 == 0) {
    f[1] = CPointD(f[2].x, f[0].y);
    f[3] = CPointD(f[0].x, f[2].y);
  } else {
    f[0] = CPointD(f[3].x, f[1].y);
    f[2] = CPointD(f[1].x, f[3].y);
  }
  if (std::fabs(f[d].x - f[o].x) < kRectMinExtent || std::fabs(f[d].y - f[o].y) < kRectMinExtent)
    return false;
  for (int i = 0; i < 4; ++i) p[i] = RotateForward(centre, f[i], axis);
  return true;
}

bool RectCorners::DragSide(int h, const CPointD& q) {
  const SideRule* rule = FindSideRule(h);
  if (!rule) return false;
  const DirPair axis = Direction(p[3], p[2]);
  const CPointD centre = Middle(p[0], p[2]);
  CPointD f[4];
  for (int i = 0; i < 4; ++i) f[i] = RotateBackward(centre, p[i], axis);
  const CPointD qf = RotateBackward(centre, q, axis);
  double moved;
  double stays;
  if (rule->alongX) {
    f[rule->first].x = f[rule->second].x = moved = qf.x;
    stays = f[rule->opposite].x;
  } else {
    f[rule->first].y = f[rule->second].y = moved = qf.y;
    stays = f[rule->opposite].y;
  }
  if (std::fabs(moved - stays) < kRectMinExtent) return false;
  for (int i = 0; i < 4; ++i) p[i] = RotateForward(centre, f[i], axis);
  return true;
}

bool RectCorners::DragRotation(const CPointD& q) {
  if (Distance(p[0], q) < kRectMinExtent) return false;
  // The turn that brings the first side onto the direction of P1Q.
  const DirPair turn = SubtractDirections(Direction(p[0], q), Direction(p[0], p[1]));
  for (int i = 1; i < 4; ++i) p[i] = RotateForward(p[0], p[i], turn);
  return true;
}

void RectCorners::SetWidth(double w) {
  const DirPair axis = XAxis();
  CPointD p2 = RotateBackward(p[0], p[1], axis);
  CPointD p3 = RotateBackward(p[0], p[2], axis);
  p2.x = p2.x > p[0].x ? p[0].x + w : p[0].x - w;
  p3.x = p2.x;
  p[1] = RotateForward(p[0], p2, axis);
  p[2] = RotateForward(p[0], p3, axis);
}

void RectCorners::SetHeight(double h) {
  const DirPair axis = XAxis();
  CPointD p3 = RotateBackward(p[0], p[2], axis);
  CPointD p4 = RotateBackward(p[0], p[3], axis);
  p3.y = p4.y > p[0].y ? p[0].y + h : p[0].y - h;
  p4.y = p3.y;
  p[2] = RotateForward(p[0], p3, axis);
  p[3] = RotateForward(p[0], p4, axis);
}

bool RectCorners::IsMirrored() const { return RotateBackward(p[0], p[3], XAxis()).y < p[0].y; }

CRectD RectCorners::Bounds() const { return BoundingBox(p, 4); }

void RectCorners::Offset(double dx, double dy) {
  for (CPointD& c : p) {
    c.x += dx;
    c.y += dy;
  }
}

void RectCorners::Rotate(const CPointD& centre, const DirPair& turn) {
  for (CPointD& c : p) c = RotateForward(centre, c, turn);
}

void RectCorners::Flip(double x0, double y0, int nAxis) {
  for (CPointD& c : p) {
    if (nAxis)
      c.y = 2.0 * y0 - c.y;
    else
      c.x = 2.0 * x0 - c.x;
  }
}

void RectCorners::Scale(const CPointD& anchor, double f) {
  for (CPointD& c : p) {
    c.x = (c.x - anchor.x) * f + anchor.x;
    c.y = (c.y - anchor.y) * f + anchor.y;
  }
}
