#include "drawbezier.h"

#include <algorithm>

#include "bezierpath.h"
#include "strokerun.h"
#include "drawpolygon.h"
#include "shapepaint.h"

IMPLEMENT_SERIAL(CDrawBezier, CDrawPoly, 0)
IMPLEMENT_SERIAL(CDrawBezierFill, CDrawBezier, 0)

// ---- CDrawBezier ---------------------------------------------------------------

CRectD CDrawBezier::GetRect() {
  CRectD bounds;
  // A curve still without a whole segment (while it is being drawn) is
  // bounded by its points.
  if (!BoundsOf(FlattenCurve(CurvePoints()), bounds)) return CDrawPoly::GetRect();
  m_rect = bounds;
  return bounds;
}

RECT CDrawBezier::GetInvalidRect() {
  CRectD curve;
  BOOL hasCurve = BoundsOf(FlattenCurve(CurvePoints()), curve);
  CRectD r = CDrawPoly::GetRect();
  if (hasCurve) {
    r.left = std::min(r.left, curve.left);
    r.top = std::min(r.top, curve.top);
    r.right = std::max(r.right, curve.right);
    r.bottom = std::max(r.bottom, curve.bottom);
  }
  r.Normalize();
  r.Inflate(m_nLineWidth, m_nLineWidth);
  return InvalidRectOf(r);
}

int CDrawBezier::HitCurve(const CPointD& point) {
  return HitPath(FlattenCurve(CurvePoints()), point, HitHalfWidth(m_nLineWidth));
}

int CDrawBezier::HitTest(const CPointD& point, CDrawObj** ppHit) {
  return HitHandlesThenBody(point, ppHit, [&] { return HitCurve(point); });
}

int CDrawBezier::HitTestChild(const CPointD& point, CDrawObj** ppHit) {
  if (GetPointCount() < 2) return -1;
  return Hit(HitCurve(point), ppHit);
}

void CDrawBezier::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || m_points.empty() || !AllFinite(m_points) || !MeetsClip(pDC, PointsReach())) return;
  CPen pen;
  if (!CreateLinePen(pen, m_nLineStyle, m_nLineWidth, m_view.zoom, m_clrLine, PenRule::AnyNonSolid, FALSE))
    return;
  {
    CSelectGdi sel(*pDC, pen);
    const bool thinDashed = IsThinDashedPen(m_nLineStyle, m_nLineWidth, m_view.zoom, PenRule::AnyNonSolid);
    std::vector<CPointD> device(m_points.size());
    for (size_t i = 0; i < m_points.size(); ++i) device[i] = PointToDevice(m_points[i]);
    for (int k = 0; k < CurveSegmentCount(static_cast<int>(device.size())); ++k) {
      const CPointD& start = device[2 * k];
      const CPointD& control = device[2 * k + 1];
      const CPointD& end = device[2 * k + 2];
      std::vector<POINT> steps = {TruncatedPoint(start)};
      for (int s = 0; s < kCurveSteps; ++s) {
        float t = static_cast<float>(s) / static_cast<float>(kCurveSteps);
        CPointD b = QuadraticPoint(start, control, end, t);
        steps.push_back(POINT{RoundCoord(b.x), RoundCoord(b.y)});
      }
      steps.push_back(TruncatedPoint(end));
      // One line per step, each its own call as the platform dashes it.
      for (size_t s = 1; s < steps.size(); ++s)
        StrokePolyline(pDC, &steps[s - 1], 2, LineGuardOf(thinDashed));
    }
  }
  CDrawObj::Draw(pDC, dwFlags);
}

void CDrawBezier::DrawTracker(CDC* pDC, int nState) {
  if (nState != 1 && nState != 2) return;
  DrawVertexSquares(pDC, false);
  DrawRectSquares(pDC);
  // The control polygon shows how the odd points pull the curve.
  LOGBRUSH lb = {BS_SOLID, 0x000000, 0};
  CPen pen;
  if (!pen.CreatePen(PS_GEOMETRIC | PS_DOT, 1, &lb)) return;
  CSelectGdi sel(*pDC, pen);
  if (!AllFinite(m_points)) return;
  std::vector<POINT> device = DevicePoints(m_points);
  StrokePolyline(pDC, device.data(), device.size(), kDashedStrokeGuard);
}

DrawObjType CDrawBezier::GetObjType() { return DOT_BEZIER; }

// ---- CDrawBezierFill -----------------------------------------------------------

std::vector<CPointD> CDrawBezierFill::ClosedPoints() const { return ClosedCurvePoints(m_points); }

int CDrawBezierFill::HitCurve(const CPointD& point) {
  return HitOutlineOrFill(FlattenCurve(ClosedPoints()), point);
}

void CDrawBezierFill::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || m_points.empty() || !AllFinite(m_points) || !MeetsClip(pDC, PointsReach())) return;
  std::vector<POINT> outline = DevicePoints(FlattenCurve(ClosedPoints()));
  if (!outline.empty()) {
    // Closed like a polygon: with an odd number of points the last
    // segment ends short of point 0.
    POINT first = outline.front(), last = outline.back();
    if (first.x != last.x || first.y != last.y) outline.push_back(first);
    DrawFilledShape(pDC, outline, PenRule::AnyNonSolid, false);
  }
  CDrawObj::Draw(pDC, dwFlags);
}

void CDrawBezierFill::GetPropList(PropDescList* pList) { GetFilledPropList(pList); }

DrawObjType CDrawBezierFill::GetObjType() { return DOT_BEZIERFILL; }

LinkFamily CDrawBezierFill::GetLinkFamily() { return LF_FILLED; }

BOOL CDrawBezierFill::SetProp(int nId, LONG_PTR value) { return SetFilledOrLineProp(nId, value); }
