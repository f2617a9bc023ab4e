// CDrawPoly: dragging vertices and resizing by the rectangle handles.
#include <cmath>

#include "drawpoly.h"

namespace {

// A dragged side that comes this close to the opposite side changes nothing.
constexpr double kMinStretchGap = 4.0;

bool IsShiftDown() { return ::GetKeyState(VK_SHIFT) < 0; }

bool SameSign(double a, double b) { return (a < 0) == (b < 0); }

// Which coordinates a rectangle handle drags.
bool DragsX(int h) { return h == 1 || h == 3 || h == 4 || h == 5 || h == 7 || h == 8; }
bool DragsY(int h) { return h == 1 || h == 2 || h == 3 || h == 5 || h == 6 || h == 7; }
bool OnLeft(int h) { return h == 1 || h == 7 || h == 8; }
bool OnTop(int h) { return h == 1 || h == 2 || h == 3; }

}  // namespace

CPointD SnapToAngle(const CPointD& prev, const CPointD& point) {
  double dx = point.x - prev.x;
  double dy = point.y - prev.y;
  double ax = std::fabs(dx);
  double ay = std::fabs(dy);
  if (std::fabs(ax - ay) < (ax + ay) / 3) {
    // Nearly diagonal: the larger component for both, each with its own sign.
    if (ax >= ay) return CPointD(prev.x + dx, prev.y + (SameSign(dx, dy) ? dx : -dx));
    return CPointD(prev.x + (SameSign(dx, dy) ? dy : -dy), prev.y + dy);
  }
  return ax >= ay ? CPointD(point.x, prev.y) : CPointD(prev.x, point.y);
}

int MirroredHandle(int nHandle, bool bCrossX, bool bCrossY) {
  static const int acrossX[9] = {0, 3, 2, 1, 8, 7, 6, 5, 4};
  static const int acrossY[9] = {0, 7, 6, 5, 4, 3, 2, 1, 8};
  if (nHandle < 1 || nHandle > 8) return nHandle;
  if (bCrossX) nHandle = acrossX[nHandle];
  if (bCrossY) nHandle = acrossY[nHandle];
  return nHandle;
}

void CDrawPoly::MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) {
  int i = nHandle - 100;
  if (i >= 0 && i < GetPointCount())
    MoveVertex(i, point, hView);
  else if (nHandle >= 1 && nHandle <= 8)
    StretchByHandle(nHandle, point, hView);
}

void CDrawPoly::MoveVertex(int nIndex, const CPointD& point, HWND hView) {
  InvalidateIn(hView);
  if (nIndex == 0 || !IsShiftDown())
    m_points[nIndex] = point;
  else
    m_points[nIndex] = SnapToAngle(m_points[nIndex - 1], point);
  GetRect();
  InvalidateIn(hView);
}

void CDrawPoly::StretchByHandle(int& nHandle, const CPointD& point, HWND hView) {
  CRectD r = GetRect();
  r.Normalize();
  CPointD from = RectHandle(r, nHandle);
  // The anchor is the opposite side or corner; a coordinate that the
  // handle does not drag keeps a zero factor.
  CPointD anchor = from;
  CPointD to = from;
  if (DragsX(nHandle)) {
    anchor.x = OnLeft(nHandle) ? r.right : r.left;
    to.x = point.x;
    if (std::fabs(to.x - anchor.x) <= kMinStretchGap) return;
  }
  if (DragsY(nHandle)) {
    anchor.y = OnTop(nHandle) ? r.bottom : r.top;
    to.y = point.y;
    if (std::fabs(to.y - anchor.y) <= kMinStretchGap) return;
  }
  bool crossX = DragsX(nHandle) && (OnLeft(nHandle) ? to.x > anchor.x : to.x < anchor.x);
  bool crossY = DragsY(nHandle) && (OnTop(nHandle) ? to.y > anchor.y : to.y < anchor.y);
  InvalidateIn(hView);
  Stretch(anchor, from, to);
  InvalidateIn(hView);
  nHandle = MirroredHandle(nHandle, crossX, crossY);
}
