#include "drawellipse.h"

#include <cmath>

#include "strokerun.h"

IMPLEMENT_SERIAL(CDrawEllipse, CDrawRect, 0)

namespace {

constexpr int kOutlineStepDegrees = 4;
constexpr int kOutlinePoints = 360 / kOutlineStepDegrees;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

DrawObjType CDrawEllipse::GetObjType() { return DOT_ELLIPSE; }

void CDrawEllipse::GetEllipsePoints(std::vector<CPointD>& points) const {
  const DirPair axis = m_corners.XAxis();
  const double a = m_corners.Width() * 0.5;
  const double b = m_corners.Height() * 0.5;
  const CPointD centre = Middle(m_corners.p[0], m_corners.p[2]);
  points.clear();
  points.reserve(kOutlinePoints);
  for (int k = 0; k < 360; k += kOutlineStepDegrees) {
    const double radians = k * kPi / 180.0;
    const CPointD onAxes(centre.x + a * std::cos(radians), centre.y + b * std::sin(radians));
    points.push_back(RotateForward(centre, onAxes, axis));
  }
}

int CDrawEllipse::HitTest(const CPointD& point, CDrawObj** ppHit) {
  if (int h = HitHandle(point, ppHit)) return h;
  std::vector<CPointD> outline;
  GetEllipsePoints(outline);
  const size_t n = outline.size();
  bool hit = false;
  if (n >= 2) {
    const double t = OutlineTolerance();
    for (size_t i = 0; i < n && !hit; ++i)
      hit = SegmentBandTest(outline[i], outline[(i + 1) % n], point, t) == 0;
  }
  // An unfilled ellipse is hit on its outline band only; a filled one also inside.
  if (!hit && m_nFillStyle != 0 && n >= 3) {
    std::vector<POINT> polygon(n);
    for (size_t i = 0; i < n; ++i) polygon[i] = TruncatedPoint(outline[i]);
    CRgn region;
    const POINT pt = TruncatedPoint(point);
    if (region.CreatePolygonRgn(polygon.data(), static_cast<int>(n), ALTERNATE))
      hit = region.PtInRegion(pt.x, pt.y) != FALSE;
  }
  if (!hit) return -1;
  if (ppHit) *ppHit = this;
  return 0;
}

void CDrawEllipse::Draw(CDC* pDC, DWORD dwFlags) {
  if (!m_bVisible || !m_corners.IsFinite() || !MeetsClip(pDC, CornersReach())) return;
  CPen pen;
  if (!CreateShapePen(pen, m_nLineStyle, m_nLineWidth, m_clrLine, m_view.zoom)) return;
  // GDI+ fills every fill style: a filled ellipse is kept.
  if (m_nFillStyle == 0)
    PaintEllipse(pDC, pen);
  else
    m_paintCache.Paint(
        pDC, ShapePaintKey(), [&] { return CornersReach(); }, [&](CDC* pOn) { PaintEllipse(pOn, pen); });
  CDrawObj::Draw(pDC, dwFlags);
}

void CDrawEllipse::PaintEllipse(CDC* pDC, CPen& pen) {
  CSelectGdi selectPen(*pDC, pen);
  FillFrameShape(*pDC, GetDeviceFrame(), FrameShape::ellipse, m_nFillStyle, m_clrFill1, m_clrFill2);
  if (m_clrLine != kNoColor) {
    std::vector<CPointD> outline;
    GetEllipsePoints(outline);
    std::vector<POINT> device;
    device.reserve(outline.size() + 1);
    for (const CPointD& p : outline) device.push_back(DevicePointTruncated(p));
    device.push_back(device.front());
    StrokePolyline(pDC, device.data(), device.size(),
                   LineGuardOf(IsThinDashedShapePen(m_nLineStyle, m_nLineWidth, m_view.zoom)));
  }
}
