#include "drawpolygon.h"

#include <algorithm>

#include "bytehash.h"
#include "strokerun.h"
#include "shapepaint.h"

IMPLEMENT_SERIAL(CDrawPolygon, CDrawPoly, 0)

namespace {

RECT BoundsOfPoints(const std::vector<POINT>& pts) {
  RECT r = {pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (const POINT& p : pts) {
    r.left = std::min(r.left, p.x);
    r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x);
    r.bottom = std::max(r.bottom, p.y);
  }
  return r;
}

}  // namespace

bool PointInPolygon(const std::vector<POINT>& pts, POINT pt) {
  if (pts.size() < 3) return false;
  CRgn region;
  if (!region.CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), ALTERNATE)) return false;
  return region.PtInRegion(pt.x, pt.y) != FALSE;
}

namespace {

// The fill and outline of a plain polygon, its pen and brush selected.
void FillAndStrokePlain(CDC* pDC, const std::vector<POINT>& closed, bool bNoOutline) {
  pDC->Polygon(closed.data(), static_cast<int>(closed.size()));
  if (!bNoOutline) StrokePolyline(pDC, closed.data(), closed.size(), LineGuardOf(false));
}

}  // namespace

void DrawFilledOutline(CDC* pDC, CDrawObj* pObj, const std::vector<POINT>& outline, PenRule rule,
                       bool bBrushStyles) {
  bool noOutline = pObj->m_clrLine == kNoColor;
  const double zoom = pObj->GetView().zoom;
  std::vector<POINT> closed = outline;
  if (noOutline || IsThinCosmeticPen(pObj->m_nLineStyle, pObj->m_nLineWidth, zoom, rule))
    DropRepeatedPoints(closed);
  CPen pen;
  if (!CreateLinePen(pen, pObj->m_nLineStyle, pObj->m_nLineWidth, zoom, pObj->m_clrLine, rule, noOutline))
    return;
  CSelectGdi selPen(*pDC, pen);
  const bool thinDashed = IsThinDashedPen(pObj->m_nLineStyle, pObj->m_nLineWidth, zoom, rule);
  const int count = static_cast<int>(closed.size());
  int style = pObj->m_nFillStyle;
  if (style == 1 && !thinDashed) {
    CBrush brush;
    if (CreateFillBrush(brush, style, pObj->m_clrFill1)) {
      CSelectGdi selBrush(*pDC, brush);
      FillAndStrokePlain(pDC, closed, noOutline);
    }
    return;
  }
  if (style == 1 || (bBrushStyles && style >= 100)) {
    CBrush brush;
    if (CreateFillBrush(brush, style, pObj->m_clrFill1)) {
      CSelectGdi selBrush(*pDC, brush);
      // A thin dashed outline comes from the poly-line below alone,
      // drawn where it shows: the fill takes no pen.
      CSelectGdi fillPen(*pDC, thinDashed ? ::GetStockObject(NULL_PEN) : nullptr);
      pDC->Polygon(closed.data(), count);
    }
  } else if (IsGradientFill(style)) {
    FillGradientPolygon(*pDC, closed.data(), count, BoundsOfPoints(closed), style, pObj->m_clrFill1,
                        pObj->m_clrFill2);
  }
  if (!noOutline) StrokePolyline(pDC, closed.data(), closed.size(), LineGuardOf(thinDashed));
}

int CDrawPolygon::HitTest(const CPointD& point, CDrawObj** ppHit) {
  return HitHandlesThenBody(point, ppHit, [&] { return HitOutlineOrFill(m_points, point); });
}

int CDrawPolygon::HitTestChild(const CPointD& point, CDrawObj** ppHit) {
  // Inside a group the polygon's area counts, whatever its fill.
  std::vector<POINT> pts(m_points.size());
  for (size_t i = 0; i < m_points.size(); ++i) pts[i] = TruncatedPoint(m_points[i]);
  return Hit(PointInPolygon(pts, TruncatedPoint(point)) ? 0 : -1, ppHit);
}

void CDrawPolygon::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || GetPointCount() < 2 || !AllFinite(m_points) || !MeetsClip(pDC, PointsReach())) return;
  std::vector<POINT> closed = DevicePoints(m_points);
  closed.push_back(closed.front());
  DrawFilledShape(pDC, closed, PenRule::DashStyles, true);
  CDrawObj::Draw(pDC, dwFlags);
}

bool CDrawPolygon::IsPlain() const {
  return m_nFillStyle == 1 && IsThinCosmeticPen(m_nLineStyle, m_nLineWidth, m_view.zoom, PenRule::DashStyles);
}

void CDrawPolygon::DrawInRun(CDC* pDC, DWORD dwFlags, CPlainPolygonRun& run) {
  if (!m_bVisible || GetPointCount() < 2 || !AllFinite(m_points) || !MeetsClip(pDC, PointsReach())) return;
  if (run.Select(*this)) {
    std::vector<POINT> closed = DevicePoints(m_points);
    closed.push_back(closed.front());
    DropRepeatedPoints(closed);
    FillAndStrokePlain(pDC, closed, m_clrLine == kNoColor);
  }
  CDrawObj::Draw(pDC, dwFlags);
}

namespace {

// The pen styles whose thin cosmetic pen sets every pixel it passes, or none.
bool IsSolidOrNoPen(int nStyle) {
  return nStyle == PS_SOLID || nStyle == PS_NULL || nStyle == PS_INSIDEFRAME;
}

}  // namespace

bool CDrawPolygon::DescribeRunDrawing(CRunDrawing& drawing) const {
  if (!IsPlain() || !m_bVisible || GetPointCount() < 2 || !AllFinite(m_points)) return false;
  const bool noOutline = m_clrLine == kNoColor;
  if (!noOutline && !IsSolidOrNoPen(m_nLineStyle)) return false;
  drawing.lineStyle = m_nLineStyle;
  drawing.lineWidth = m_nLineWidth;
  drawing.zoom = m_view.zoom;
  drawing.line = m_clrLine;
  drawing.fill = m_clrFill1;
  drawing.selected = m_bSelected != FALSE;
  // The frame DrawSelFrame draws around the points' bounds, as GetRect has them.
  drawing.frame = RECT{0, 0, 0, 0};
  if (drawing.selected) drawing.frame = SelFrameRect(BoundingBox(m_points.data(), m_points.size()));
  drawing.outline.resize(m_points.size());
  for (size_t i = 0; i < m_points.size(); ++i) drawing.outline[i] = DevicePointTruncated(m_points[i]);
  drawing.outline.push_back(drawing.outline.front());
  DropRepeatedPoints(drawing.outline);
  return true;
}

size_t CRunDrawing::Hash() const {
  CByteHash hash;
  hash.Add(lineStyle).Add(lineWidth).Add(zoom).Add(line).Add(fill).Add(selected).Add(frame);
  for (const POINT& p : outline) hash.Add(p);
  return hash.Value();
}

bool CRunDrawing::operator==(const CRunDrawing& o) const {
  auto samePoint = [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; };
  return lineStyle == o.lineStyle && lineWidth == o.lineWidth && zoom == o.zoom && line == o.line &&
         fill == o.fill && selected == o.selected && ::EqualRect(&frame, &o.frame) &&
         std::equal(outline.begin(), outline.end(), o.outline.begin(), o.outline.end(), samePoint);
}

bool CPlainPolygonRun::Select(const CDrawPolygon& polygon) {
  const Look look = {polygon.m_nLineStyle, polygon.m_nLineWidth, polygon.GetView().zoom, polygon.m_clrLine,
                     polygon.m_clrFill1};
  if (m_bSelected && look == m_look) return true;
  End();
  // The pen and brush DrawFilledOutline makes for a plain fill.
  if (!CreateLinePen(m_pen, look.lineStyle, look.lineWidth, look.zoom, look.line, PenRule::DashStyles,
                     look.line == kNoColor) ||
      !CreateFillBrush(m_brush, 1, look.fill))
    return false;
  m_oldPen = ::SelectObject(*m_pDC, m_pen);
  m_oldBrush = ::SelectObject(*m_pDC, m_brush);
  m_look = look;
  m_bSelected = true;
  return true;
}

void CPlainPolygonRun::End() {
  if (m_bSelected) {
    ::SelectObject(*m_pDC, m_oldBrush);
    ::SelectObject(*m_pDC, m_oldPen);
    m_bSelected = false;
  }
  m_pen.DeleteObject();
  m_brush.DeleteObject();
}

void CDrawPolygon::GetPropList(PropDescList* pList) { GetFilledPropList(pList); }

DrawObjType CDrawPolygon::GetObjType() { return DOT_POLYGON; }

LinkFamily CDrawPolygon::GetLinkFamily() { return LF_FILLED; }

BOOL CDrawPolygon::SetProp(int nId, LONG_PTR value) { return SetFilledOrLineProp(nId, value); }
