// CDrawRect: drawing in the rectangle's own frame, and its handle squares.
#include "drawrect.h"

#include <cmath>

#include "plainrect.h"
#include "strokerun.h"

namespace {

constexpr COLORREF kHandleGrey = 0xE1E1E1;
constexpr COLORREF kHandleBlack = 0x000000;

// The pixels by which the inside of a fill must reach past the area it
// hides on every side: the polygon of the corners leaves out its right
// and bottom pixels when drawn without a pen.
constexpr int kHideMargin = 2;
// The widest outline of a rectangle that hides an area: the fill comes
// with the outline in one call of the platform, and no call that widens
// a pen of thousands of pixels is trusted to fill as well.
constexpr int kHidingPenWidth = 64;

// Whether the device sides of the corners, before they are held to the
// device's range, are finite: a rectangle of sides of 1e308 is damage,
// not a cover, whatever the held corners would fill.
bool HasFiniteDeviceSides(const RectCorners& corners, const ViewTransform& view) {
  for (const CPointD& p : corners.p)
    if (!std::isfinite(p.x * view.zoom - view.originX) || !std::isfinite(p.y * view.zoom - view.originY))
      return false;
  const CRectD box = corners.Bounds();
  return std::isfinite((box.right - box.left) * view.zoom) &&
         std::isfinite((box.bottom - box.top) * view.zoom);
}

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

bool CDrawRect::HidesArea(const std::function<const RECT*()>& area) const {
  // Draw fills with one solid brush before anything else only for the
  // plain fill; gradients and the percentage fill go through GDI+ and the
  // kept drawings. A colour with a top byte is a palette index or none.
  if (!m_bVisible || !m_corners.IsFinite() || m_nFillStyle != 1 || m_nPerFillDir != -1 ||
      (m_clrFill1 >> 24) != 0)
    return false;
  // A style of the platform's own list, as a damaged file may hold any.
  if (m_nLineStyle < PS_SOLID || m_nLineStyle > PS_INSIDEFRAME) return false;
  if (!HasFiniteDeviceSides(m_corners, m_view) || PenWidth(m_nLineWidth, m_view.zoom) > kHidingPenWidth)
    return false;
  // The very outline that Draw hands to the platform.
  POINT outline[4];
  DeviceOutline(outline);
  RECT bounds;
  if (!UprightBounds(outline, &bounds)) return false;
  const RECT* hidden = area();
  if (!hidden || hidden->left < bounds.left + kHideMargin || hidden->top < bounds.top + kHideMargin ||
      hidden->right > bounds.right - kHideMargin || hidden->bottom > bounds.bottom - kHideMargin)
    return false;
  // Draw draws nothing when its pen cannot be made.
  CPen pen;
  return IsPlain() || CreateShapePen(pen, m_nLineStyle, m_nLineWidth, m_clrLine, m_view.zoom);
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
