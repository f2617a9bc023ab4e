// CDrawRect: drawing in the rectangle's own frame, and its handle squares.
#include "drawrect.h"

#include "plainrect.h"
#include "strokerun.h"

namespace {

constexpr COLORREF kHandleGrey = 0xE1E1E1;
constexpr COLORREF kHandleBlack = 0x000000;

}  // namespace

PaintKey CDrawRect::ShapePaintKey() const {
  PaintKey key = BasePaintKey();
  for (const CPointD& p : m_corners.p) key.Add(p);
  return key;
}

RECT CDrawRect::CornersReach() const {
  return DeviceReach(m_corners.p, 4, PenWidth(m_nLineWidth, m_view.zoom) + 4);
}

bool CDrawRect::IsPlain() const {
  return m_nFillStyle == 1 && m_nPerFillDir == -1 && m_nLineStyle == PS_SOLID && m_clrLine != kNoColor &&
         PenWidth(m_nLineWidth, m_view.zoom) == 1;
}

void CDrawRect::DeviceOutline(POINT* outline) const {
  for (int i = 0; i < 4; ++i) outline[i] = DevicePointRounded(m_corners.p[i]);
}

bool CDrawRect::DrawShape(CDC* pDC) {
  if (IsPlain()) {
    POINT outline[4];
    DeviceOutline(outline);
    if (PaintPlainRect(*pDC, outline, m_clrLine, m_clrFill1)) return true;
  }
  CPen pen;
  if (!CreateShapePen(pen, m_nLineStyle, m_nLineWidth, m_clrLine, m_view.zoom)) return false;
  // GDI+ fills the gradients and the percentage fill pixel by pixel: those
  // are kept. A plain fill and an outline are quickly drawn.
  if ((m_nFillStyle == 0 || m_nFillStyle == 1) && m_nPerFillDir == -1) {
    PaintShape(pDC, pen);
    return true;
  }
  m_paintCache.Paint(
      pDC, ShapePaintKey(), [&] { return CornersReach(); }, [&](CDC* pOn) { PaintShape(pOn, pen); });
  return true;
}

void CDrawRect::PaintShape(CDC* pDC, CPen& pen) {
  {
    CSelectGdi selectPen(*pDC, pen);
    const bool thinDashed = IsThinDashedShapePen(m_nLineStyle, m_nLineWidth, m_view.zoom);
    POINT outline[5];
    DeviceOutline(outline);
    outline[4] = outline[0];

    if (m_nFillStyle == 1) {
      CBrush brush;
      if (brush.CreateSolidBrush(m_clrFill1)) {
        CSelectGdi selectBrush(*pDC, brush);
        // A thin dashed outline comes from the poly-line below alone,
        // drawn where it shows: the fill takes no pen.
        CSelectGdi fillPen(*pDC, thinDashed ? ::GetStockObject(NULL_PEN) : nullptr);
        pDC->Polygon(outline, 4);
      }
    } else {
      FillFrameShape(*pDC, GetDeviceFrame(), FrameShape::rectangle, m_nFillStyle, m_clrFill1, m_clrFill2);
    }
    if (m_clrLine != kNoColor) StrokePolyline(pDC, outline, 5, LineGuardOf(thinDashed));
  }
  if (m_nPerFillDir != -1) FillFramePercent(*pDC, GetDeviceFrame(), m_dPerFill, m_nPerFillDir, m_clrPerFill);
}

void CDrawRect::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !m_corners.IsFinite() || !MeetsClip(pDC, CornersReach())) return;
  if (DrawShape(pDC)) CDrawObj::Draw(pDC, dwFlags);
}

void CDrawRect::AppendTrackerFills(std::vector<HandleFill>& fills) {
  if (!m_corners.IsFinite()) return;
  for (int h = RH_P1; h <= kRectHandleLast; ++h) {
    const POINT pt = DevicePointRounded(GetHandle(h));
    if (h == RH_ROTATE)
      AppendHandleSquare(fills, pt, kHandleBlack, kHandleGrey);
    else
      AppendHandleSquare(fills, pt, kHandleGrey, kHandleBlack);
  }
}

void CDrawRect::DrawTracker(CDC* pDC, int nState) {
  if (nState != 1 && nState != 2) return;
  std::vector<HandleFill> fills;
  AppendTrackerFills(fills);
  for (const HandleFill& fill : fills) pDC->FillSolidRect(fill.rect, fill.colour);
}
