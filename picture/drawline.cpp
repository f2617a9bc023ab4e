#include "drawline.h"

#include <algorithm>
#include <cmath>

#include "archive.h"
#include "strokerun.h"
#include "shapepaint.h"

IMPLEMENT_SERIAL(CDrawLine, CDrawPoly, 0)
IMPLEMENT_SERIAL(CDrawArrow, CDrawLine, 0)

// ---- CDrawLine -----------------------------------------------------------------

CDrawLine::CDrawLine() {
  m_nMaxPoints = 2;
  m_nSecondCount = 2;
}

int CDrawLine::HitTest(const CPointD& point, CDrawObj** ppHit) {
  int h = HitVertexHandles(DevicePointRounded(point));
  if (h != -1) return Hit(h, ppHit);
  if (GetPointCount() < 2) return -1;
  return Hit(HitPath(m_points, point, HitHalfWidth(m_nLineWidth)), ppHit);
}

void CDrawLine::DrawTracker(CDC* pDC, int nState) {
  if (nState == 1 || nState == 2) DrawVertexSquares(pDC, true);
}

DrawObjType CDrawLine::GetObjType() { return DOT_LINE; }

LinkFamily CDrawLine::GetLinkFamily() { return LF_LINE; }

void CDrawLine::SetAngle(double dDegrees) {
  if (GetPointCount() < 2) return;
  m_points[1] = PointInDirection(m_points[0], m_points[1], DirectionOfDegrees(dDegrees));
  GetRect();
}

// ---- CDrawArrow ----------------------------------------------------------------

void CDrawArrow::Serialize(CArchive& ar) {
  CDrawLine::Serialize(ar);
  if (ar.IsStoring())
    ar << m_nHeadSize << m_nHeadAngle;
  else
    ar >> m_nHeadSize >> m_nHeadAngle;
}

RECT CDrawArrow::GetInvalidRect() {
  CRectD r = GetRect();
  r.Normalize();
  r.Inflate(m_nLineWidth, m_nLineWidth);
  r.Inflate(3 * DrawnHeadSize(), 3 * DrawnHeadSize());
  return InvalidRectOf(r);
}

int CDrawArrow::DrawnHeadSize() const { return std::clamp(m_nHeadSize, -kMaxHeadSize, kMaxHeadSize); }

BOOL CDrawArrow::GetHeadCorners(CPointD& left, CPointD& right) const {
  if (GetPointCount() < 2 || Distance(m_points[0], m_points[1]) == 0.0) return FALSE;
  const CPointD& tip = m_points[1];
  DirPair back = Direction(tip, m_points[0]);
  DirPair half = DirectionOfDegrees(m_nHeadAngle);
  CPointD reach(tip.x + DrawnHeadSize(), tip.y);  // any point at head-size distance
  left = PointInDirection(tip, reach, AddDirections(back, half));
  right = PointInDirection(tip, reach, SubtractDirections(back, half));
  return TRUE;
}

void CDrawArrow::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || GetPointCount() < 2 || !AllFinite(m_points)) return;
  CPointD reachOf[4] = {m_points[0], m_points[1], m_points[1], m_points[1]};
  GetHeadCorners(reachOf[2], reachOf[3]);
  if (!MeetsClip(pDC, DeviceReach(reachOf, 4, PenWidth(m_nLineWidth, m_view.zoom) + 3))) return;
  CPen pen;
  if (!CreateLinePen(pen, m_nLineStyle, m_nLineWidth, m_view.zoom, m_clrLine, PenRule::AnyNonSolid, FALSE))
    return;
  {
    CSelectGdi selPen(*pDC, pen);
    POINT p0 = DevicePointTruncated(m_points[0]);
    POINT p1 = DevicePointTruncated(m_points[1]);
    const POINT shaft[2] = {p0, p1};
    StrokePolyline(
        pDC, shaft, 2,
        LineGuardOf(IsThinDashedPen(m_nLineStyle, m_nLineWidth, m_view.zoom, PenRule::AnyNonSolid)));
    CPointD left, right;
    CBrush brush;
    CPen headPen;
    // The head is outlined thin and solid whatever the line's style, so
    // it keeps its size and shape.
    if (GetHeadCorners(left, right) && brush.CreateSolidBrush(m_clrLine) &&
        headPen.CreatePen(PS_SOLID, 1, m_clrLine)) {
      CSelectGdi selHeadPen(*pDC, headPen);
      CSelectGdi selBrush(*pDC, brush);
      POINT head[3] = {p1, DevicePointTruncated(left), DevicePointTruncated(right)};
      pDC->Polygon(head, 3);
    }
  }
  CDrawObj::Draw(pDC, dwFlags);
}

void CDrawArrow::GetPropList(PropDescList* pList) {
  int n = GetBasePropList(pList);
  PropDesc* rec = pList->items;
  n = AppendLineProps(rec, n);
  GetPropDesc(PROP_ARROWSIZE, PE_INTEGER | PK_MIN_APPLIES, &rec[n]);
  rec[n].value = m_nHeadSize;
  rec[n].minimum = 5;
  rec[n++].maximum = 100;
  GetPropDesc(PROP_ARROWANGLE, PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, &rec[n]);
  rec[n].value = m_nHeadAngle;
  rec[n].minimum = 5;
  rec[n++].maximum = 45;
  pList->count = AppendTopProps(GetRect(), rec, n);
}

DrawObjType CDrawArrow::GetObjType() { return DOT_ARROW; }

BOOL CDrawArrow::SetProp(int nId, LONG_PTR value) {
  int v = static_cast<int>(value);
  switch (nId) {
    case PROP_ARROWSIZE: {
      // No longer than the line it sits on, and never too small to see.
      if (GetPointCount() >= 2) v = std::min(v, static_cast<int>(Distance(m_points[0], m_points[1])));
      m_nHeadSize = std::max(v, 3);
      return TRUE;
    }
    case PROP_ARROWANGLE: m_nHeadAngle = std::clamp(v, 5, 45); return TRUE;
    default: return SetLineProp(nId, value);
  }
}
