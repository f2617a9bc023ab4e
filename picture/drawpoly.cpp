// CDrawPoly: points, storage, geometry, hit testing, drawing and properties.
#include "drawpoly.h"

#include <algorithm>
#include <cmath>

#include "archive.h"
#include "strokerun.h"
#include "drawpolygon.h"
#include "shapepaint.h"

IMPLEMENT_SERIAL(CDrawPoly, CDrawObj, 0)

namespace {
constexpr COLORREF kHandleGrey = 0xE1E1E1;
constexpr UINT kPointBytes = 16;
}  // namespace

CDrawPoly::CDrawPoly() { m_points.reserve(8); }

void CDrawPoly::Serialize(CArchive& ar) {
  CDrawObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int>(m_points.size());
    for (CPointD& p : m_points) ar << p.x << p.y;
  } else {
    int count = 0;
    ar >> count;
    m_points.clear();
    if (count > 0) {
      // The count is checked against the bytes left before anything is allocated.
      ar.CheckAvailable(static_cast<ULONGLONG>(count) * kPointBytes);
      m_points.resize(count);
      for (CPointD& p : m_points) ar >> p.x >> p.y;
    }
  }
}

BOOL CDrawPoly::AddPoint(const CPointD& point) {
  if (GetPointCount() > m_nMaxPoints) return FALSE;
  m_points.push_back(point);
  GetRect();
  return TRUE;
}

// ---- handles -----------------------------------------------------------------

int CDrawPoly::GetHandleCount() { return GetPointCount(); }

CPointD CDrawPoly::GetHandle(int nHandle) {
  int i = nHandle - 100;
  if (i >= 0 && i < GetPointCount()) return m_points[i];
  return RectHandle(GetRect(), nHandle);
}

HCURSOR CDrawPoly::GetHandleCursor(int nHandle) {
  return nHandle >= 100 ? ::LoadCursorA(nullptr, IDC_HAND) : BaseHandleCursor(nHandle);
}

BOOL CDrawPoly::BoundsOf(const std::vector<CPointD>& pts, CRectD& bounds) {
  if (pts.empty()) return FALSE;
  bounds = BoundingBox(pts.data(), pts.size());
  return TRUE;
}

CRectD CDrawPoly::GetRect() {
  CRectD bounds;
  if (!BoundsOf(m_points, bounds)) return CRectD();
  m_rect = bounds;
  return bounds;
}

RECT CDrawPoly::GetInvalidRect() {
  CRectD r = GetRect();
  r.Normalize();
  r.Inflate(m_nLineWidth, m_nLineWidth);
  return InvalidRectOf(r);
}

// ---- hit testing ---------------------------------------------------------------

int CDrawPoly::Hit(int nResult, CDrawObj** ppHit) {
  if (nResult != -1 && ppHit) *ppHit = this;
  return nResult;
}

int CDrawPoly::HitVertexHandles(POINT ptDevice) {
  for (int i = 0; i < GetPointCount(); ++i)
    if (HandleContains(100 + i, ptDevice)) return 100 + i;
  return -1;
}

int CDrawPoly::HitRectHandles(POINT ptDevice) {
  for (int h = 1; h <= 8; ++h) {
    RECT r = GetHandleRect(h);
    if (::PtInRect(&r, ptDevice)) return h;
  }
  return -1;
}

double CDrawPoly::HitHalfWidth(int nWidth) { return std::max(2, nWidth / 2 + 1); }

int CDrawPoly::HitPath(const std::vector<CPointD>& path, const CPointD& point, double halfWidth) {
  for (size_t i = 0; i + 1 < path.size(); ++i)
    if (SegmentBandTest(path[i], path[i + 1], point, halfWidth) == 0) return 0;
  return -1;
}

int CDrawPoly::HitOutlineOrFill(const std::vector<CPointD>& outline, const CPointD& point) {
  if (HitPath(outline, point, HitHalfWidth(m_nLineWidth)) == 0) return 0;
  if (m_nFillStyle != 0 && PointInPolygon(DevicePoints(outline), DevicePointRounded(point))) return 0;
  return -1;
}

int CDrawPoly::HitTest(const CPointD& point, CDrawObj** ppHit) {
  return HitHandlesThenBody(point, ppHit,
                            [&] { return HitPath(m_points, point, HitHalfWidth(m_nLineWidth)); });
}

int CDrawPoly::HitTestChild(const CPointD& point, CDrawObj** ppHit) {
  return Hit(HitPath(m_points, point, HitHalfWidth(m_nLineWidth)), ppHit);
}

// ---- geometry ------------------------------------------------------------------

void CDrawPoly::MoveBy(const CPointD& offset) {
  if (offset.x == 0.0 && offset.y == 0.0) return;
  for (CPointD& p : m_points) {
    p.x += offset.x;
    p.y += offset.y;
  }
  GetRect();
}

int CDrawPoly::Stretch(const CPointD& anchor, const CPointD& from, const CPointD& to) {
  double dx = from.x - anchor.x;
  double dy = from.y - anchor.y;
  double sx = dx == 0.0 ? 0.0 : (to.x - from.x) / dx;
  double sy = dy == 0.0 ? 0.0 : (to.y - from.y) / dy;
  if (sx == 0.0 && sy == 0.0) return 0;
  for (CPointD& p : m_points) {
    p.x += (p.x - anchor.x) * sx;
    p.y += (p.y - anchor.y) * sy;
  }
  GetRect();
  return 0;
}

void CDrawPoly::Scale(const CPointD& anchor, double f) {
  for (CPointD& p : m_points) {
    p.x = anchor.x + (p.x - anchor.x) * f;
    p.y = anchor.y + (p.y - anchor.y) * f;
  }
  GetRect();
}

void CDrawPoly::Rotate(const CPointD& centre, const DirPair& turn) {
  for (CPointD& p : m_points) p = RotateForward(centre, p, turn);
  GetRect();
}

void CDrawPoly::Flip(double x, double y, int nAxis) {
  for (CPointD& p : m_points) {
    if (nAxis == 0)
      p.x = 2 * x - p.x;
    else
      p.y = 2 * y - p.y;
  }
  GetRect();
}

// ---- drawing -------------------------------------------------------------------

std::vector<POINT> CDrawPoly::DevicePoints(const std::vector<CPointD>& pts) const {
  std::vector<POINT> device(pts.size());
  for (size_t i = 0; i < pts.size(); ++i) device[i] = DevicePointTruncated(pts[i]);
  return device;
}

RECT CDrawPoly::PointsReach() const { return DeviceReach(m_points, PenWidth(m_nLineWidth, m_view.zoom) + 3); }

void CDrawPoly::DrawFilledShape(CDC* pDC, const std::vector<POINT>& closed, PenRule rule, bool bBrushStyles) {
  // Plain and gradient fills are kept; a brush style's pattern lines up
  // with the device, so it is drawn where it lands.
  if (m_nFillStyle < 1 || m_nFillStyle > 5) {
    DrawFilledOutline(pDC, this, closed, rule, bBrushStyles);
    return;
  }
  PaintKey key = BasePaintKey();
  key.AddPoints(m_points);
  m_paintCache.Paint(
      pDC, key, [&] { return PointsReach(); },
      [&](CDC* pOn) { DrawFilledOutline(pOn, this, closed, rule, bBrushStyles); });
}

void CDrawPoly::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || m_points.empty() || !AllFinite(m_points) || !MeetsClip(pDC, PointsReach())) return;
  CPen pen;
  if (!CreateLinePen(pen, m_nLineStyle, m_nLineWidth, m_view.zoom, m_clrLine, PenRule::DashStyles, FALSE))
    return;
  {
    CSelectGdi sel(*pDC, pen);
    std::vector<POINT> device = DevicePoints(m_points);
    if (IsThinCosmeticPen(m_nLineStyle, m_nLineWidth, m_view.zoom, PenRule::DashStyles))
      DropRepeatedPoints(device);
    StrokePolyline(
        pDC, device.data(), device.size(),
        LineGuardOf(IsThinDashedPen(m_nLineStyle, m_nLineWidth, m_view.zoom, PenRule::DashStyles)));
  }
  CDrawObj::Draw(pDC, dwFlags);
}

void DrawHandleSquare(CDC* pDC, POINT pt, bool bGreyOutside) {
  RECT outer = {pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3};
  RECT inner = outer;
  ::InflateRect(&inner, -1, -1);
  pDC->FillSolidRect(outer, bGreyOutside ? kHandleGrey : 0x000000);
  pDC->FillSolidRect(inner, bGreyOutside ? 0x000000 : kHandleGrey);
}

void CDrawPoly::DrawVertexSquares(CDC* pDC, bool bFirstDistinct) {
  for (int i = 0; i < GetPointCount(); ++i) {
    if (!IsFinite(m_points[i])) continue;
    bool greyOutside = bFirstDistinct ? i == 0 : true;
    DrawHandleSquare(pDC, DevicePointTruncated(m_points[i]), greyOutside);
  }
}

void CDrawPoly::DrawRectSquares(CDC* pDC) {
  CRectD bounds = GetRect();
  if (!bounds.IsFinite()) return;
  for (int h = 1; h <= 8; ++h) DrawHandleSquare(pDC, DevicePointTruncated(RectHandle(bounds, h)), false);
}

void CDrawPoly::DrawTracker(CDC* pDC, int nState) {
  if (nState != 1 && nState != 2) return;
  DrawVertexSquares(pDC, false);
  DrawRectSquares(pDC);
}

// ---- properties ----------------------------------------------------------------

DrawObjType CDrawPoly::GetObjType() { return DOT_POLY; }

LinkFamily CDrawPoly::GetLinkFamily() { return LF_POLYLINE; }

int CDrawPoly::GetActionKinds(ActionKindList* pList) {
  int n = FillActionKinds(
      GetLinkFamily(), [this](int kind) { return FindAction(kind); }, pList ? pList->items : nullptr,
      kMaxActionKinds);
  if (pList) pList->count = n;
  return n;
}

int AppendTopProps(const CRectD& bounds, PropDesc* rec, int n) {
  GetPropDesc(PROP_TOPX, PE_INTEGER, &rec[n]);
  rec[n++].value = static_cast<int>(bounds.left);
  GetPropDesc(PROP_TOPY, PE_INTEGER, &rec[n]);
  rec[n++].value = static_cast<int>(bounds.top);
  return n;
}

int CDrawPoly::AppendLineProps(PropDesc* rec, int n) {
  GetPropDesc(PROP_LINECOLOR, PE_COLOR, &rec[n]);
  rec[n++].value = static_cast<LONG_PTR>(m_clrLine);
  GetPropDesc(PROP_LINESTYLE, PE_LINESTYLE, &rec[n]);
  rec[n++].value = m_nLineStyle;
  GetPropDesc(PROP_LINEWIDTH, PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, &rec[n]);
  rec[n].value = m_nLineWidth;
  rec[n].minimum = 0;
  rec[n++].maximum = 32;
  return n;
}

void CDrawPoly::GetPropList(PropDescList* pList) {
  int n = GetBasePropList(pList);
  n = AppendLineProps(pList->items, n);
  pList->count = AppendTopProps(GetRect(), pList->items, n);
}

BOOL CDrawPoly::SetLineProp(int nId, LONG_PTR value) {
  return SetBaseProp(nId, value) || SetLineAndTopProp(nId, value);
}

BOOL CDrawPoly::SetProp(int nId, LONG_PTR value) { return SetLineProp(nId, value); }

void CDrawPoly::GetFilledPropList(PropDescList* pList) {
  int n = GetBasePropList(pList);
  n = AppendFilledProps(this, pList->items, n);
  pList->count = AppendTopProps(GetRect(), pList->items, n);
}

BOOL CDrawPoly::SetFilledOrLineProp(int nId, LONG_PTR value) {
  return SetFillProp(nId, value) || SetLineProp(nId, value);
}

int AppendFilledProps(CDrawObj* pObj, PropDesc* rec, int n) {
  SetPropDesc(PROP_LINECOLOR, PE_COLOR, "边框颜色", &rec[n]);
  rec[n].value = static_cast<LONG_PTR>(pObj->m_clrLine);
  rec[n++].minimum = 1;  // no colour may be chosen
  if (pObj->m_clrLine != kNoColor) {
    GetPropDesc(PROP_LINESTYLE, PE_LINESTYLE, &rec[n]);
    rec[n++].value = pObj->m_nLineStyle;
    GetPropDesc(PROP_LINEWIDTH, PE_INTEGER | PK_MIN_APPLIES | PK_MAX_APPLIES, &rec[n]);
    rec[n].value = pObj->m_nLineWidth;
    rec[n].minimum = 0;
    rec[n++].maximum = 32;
  }
  GetPropDesc(PROP_FILLMODE, PE_FILLMODE, &rec[n]);
  rec[n++].value = pObj->m_nFillStyle;
  if (pObj->m_nFillStyle == 1) {
    SetPropDesc(PROP_FILLCOLOR1, PE_COLOR, "填充颜色", &rec[n]);
    rec[n++].value = static_cast<LONG_PTR>(pObj->m_clrFill1);
  } else if (pObj->m_nFillStyle > 1) {
    GetPropDesc(PROP_FILLCOLOR1, PE_COLOR, &rec[n]);
    rec[n++].value = static_cast<LONG_PTR>(pObj->m_clrFill1);
    GetPropDesc(PROP_FILLCOLOR2, PE_COLOR, &rec[n]);
    rec[n++].value = static_cast<LONG_PTR>(pObj->m_clrFill2);
  }
  return n;
}
