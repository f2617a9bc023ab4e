#include "metafilebounds.h"

#include <algorithm>
#include <cmath>

namespace {

// Logical units per millimetre of the metric mapping modes.
struct MetricMode {
  int mode;
  double unitsPerMm;
};
constexpr MetricMode kMetricModes[] = {
    {MM_LOMETRIC, 10.0},           {MM_HIMETRIC, 100.0},      {MM_LOENGLISH, 100.0 / 25.4},
    {MM_HIENGLISH, 1000.0 / 25.4}, {MM_TWIPS, 1440.0 / 25.4},
};

const MetricMode* FindMetricMode(int mode) {
  for (const MetricMode& m : kMetricModes)
    if (m.mode == mode) return &m;
  return nullptr;
}

bool IsFiniteTransform(const XFORM& x) {
  const float v[6] = {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy};
  for (float f : v)
    if (!std::isfinite(f) || std::fabs(f) > CMetafileBounds::kMaxLogical) return false;
  return static_cast<double>(x.eM11) * x.eM22 - static_cast<double>(x.eM12) * x.eM21 != 0.0;
}

// a applied first, then b.
XFORM Combine(const XFORM& a, const XFORM& b) {
  XFORM r;
  r.eM11 = a.eM11 * b.eM11 + a.eM12 * b.eM21;
  r.eM12 = a.eM11 * b.eM12 + a.eM12 * b.eM22;
  r.eM21 = a.eM21 * b.eM11 + a.eM22 * b.eM21;
  r.eM22 = a.eM21 * b.eM12 + a.eM22 * b.eM22;
  r.eDx = a.eDx * b.eM11 + a.eDy * b.eM21 + b.eDx;
  r.eDy = a.eDx * b.eM12 + a.eDy * b.eM22 + b.eDy;
  return r;
}

}  // namespace

CMetafileBounds::CMetafileBounds(const CRectD& frame, double dPixelsPerMmX, double dPixelsPerMmY)
    : m_frame(frame), m_pixelsPerMm(dPixelsPerMmX, dPixelsPerMmY) {
  m_frame.Normalize();
  const double w = m_frame.Width();
  const double h = m_frame.Height();
  m_bUsable = m_frame.IsFinite() && IsLogical(m_frame.left) && IsLogical(m_frame.top) &&
              IsLogical(m_frame.right) && IsLogical(m_frame.bottom) && w >= 1.0 && h >= 1.0 &&
              std::isfinite(dPixelsPerMmX) && std::isfinite(dPixelsPerMmY) && dPixelsPerMmX > 0.0 &&
              dPixelsPerMmY > 0.0;
  m_smallerSide = std::min(w, h);
  m_reach = CRectD(m_frame.left - kReachFrames * w, m_frame.top - kReachFrames * h,
                   m_frame.right + kReachFrames * w, m_frame.bottom + kReachFrames * h);
}

bool CMetafileBounds::Record() { return ++m_records <= kMaxRecords; }

CPointD CMetafileBounds::Ratio() const {
  const Mapping& m = m_mapping;
  if (const MetricMode* metric = FindMetricMode(m.mode))
    return CPointD(m_pixelsPerMm.x / metric->unitsPerMm, -m_pixelsPerMm.y / metric->unitsPerMm);
  if (m.mode != MM_ISOTROPIC && m.mode != MM_ANISOTROPIC) return CPointD(1.0, 1.0);
  CPointD ratio(m.viewportExt.x / m.windowExt.x, m.viewportExt.y / m.windowExt.y);
  if (m.mode == MM_ISOTROPIC) {
    // The platform shrinks the larger scale to the smaller one, in
    // millimetres of the reference device.
    const double xMm = std::fabs(ratio.x) / m_pixelsPerMm.x;
    const double yMm = std::fabs(ratio.y) / m_pixelsPerMm.y;
    if (xMm > yMm)
      ratio.x *= yMm / xMm;
    else if (yMm > xMm)
      ratio.y *= xMm / yMm;
  }
  return ratio;
}

CPointD CMetafileBounds::ToDevice(const CPointD& p) const {
  const XFORM& w = m_mapping.world;
  const CPointD page(p.x * w.eM11 + p.y * w.eM21 + w.eDx, p.x * w.eM12 + p.y * w.eM22 + w.eDy);
  const CPointD ratio = Ratio();
  return CPointD(m_mapping.viewportOrg.x + (page.x - m_mapping.windowOrg.x) * ratio.x,
                 m_mapping.viewportOrg.y + (page.y - m_mapping.windowOrg.y) * ratio.y);
}

double CMetafileBounds::Magnification() const {
  const XFORM& w = m_mapping.world;
  const double world = std::max(std::fabs(w.eM11) + std::fabs(w.eM21), std::fabs(w.eM12) + std::fabs(w.eM22));
  const CPointD ratio = Ratio();
  return world * std::max(std::fabs(ratio.x), std::fabs(ratio.y));
}

bool CMetafileBounds::SetMapMode(int nMode) {
  if (nMode < MM_TEXT || nMode > MM_ANISOTROPIC) return false;
  m_mapping.mode = nMode;
  return true;
}

bool CMetafileBounds::SetOrigin(CPointD& origin, double x, double y) {
  if (!IsLogical(x) || !IsLogical(y)) return false;
  origin = CPointD(x, y);
  return true;
}

bool CMetafileBounds::SetExtent(CPointD& extent, double cx, double cy) {
  if (!IsExtent(cx) || !IsExtent(cy)) return false;
  extent = CPointD(cx, cy);
  return true;
}

bool CMetafileBounds::ScaleExtent(CPointD& extent, double xNum, double xDenom, double yNum, double yDenom) {
  if (xDenom == 0.0 || yDenom == 0.0) return false;
  return SetExtent(extent, extent.x * xNum / xDenom, extent.y * yNum / yDenom);
}

bool CMetafileBounds::SetWindowOrg(double x, double y) { return SetOrigin(m_mapping.windowOrg, x, y); }

bool CMetafileBounds::OffsetWindowOrg(double dx, double dy) {
  return SetWindowOrg(m_mapping.windowOrg.x + dx, m_mapping.windowOrg.y + dy);
}

bool CMetafileBounds::SetWindowExt(double cx, double cy) { return SetExtent(m_mapping.windowExt, cx, cy); }

bool CMetafileBounds::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
  return ScaleExtent(m_mapping.windowExt, xNum, xDenom, yNum, yDenom);
}

bool CMetafileBounds::SetViewportOrg(double x, double y) { return SetOrigin(m_mapping.viewportOrg, x, y); }

bool CMetafileBounds::OffsetViewportOrg(double dx, double dy) {
  return SetViewportOrg(m_mapping.viewportOrg.x + dx, m_mapping.viewportOrg.y + dy);
}

bool CMetafileBounds::SetViewportExt(double cx, double cy) {
  return SetExtent(m_mapping.viewportExt, cx, cy);
}

bool CMetafileBounds::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
  return ScaleExtent(m_mapping.viewportExt, xNum, xDenom, yNum, yDenom);
}

bool CMetafileBounds::SetWorldTransform(const XFORM& x) {
  if (!IsFiniteTransform(x)) return false;
  m_mapping.world = x;
  return true;
}

bool CMetafileBounds::ModifyWorldTransform(const XFORM& x, DWORD nMode) {
  static const XFORM kIdentity = {1, 0, 0, 1, 0, 0};
  switch (nMode) {
    case MWT_IDENTITY: m_mapping.world = kIdentity; return true;
    case MWT_LEFTMULTIPLY: return IsFiniteTransform(x) && SetWorldTransform(Combine(x, m_mapping.world));
    case MWT_RIGHTMULTIPLY: return IsFiniteTransform(x) && SetWorldTransform(Combine(m_mapping.world, x));
    default: return false;
  }
}

bool CMetafileBounds::Save() {
  if (m_saved.size() >= kMaxSaveDepth) return false;
  m_saved.push_back(m_mapping);
  return true;
}

bool CMetafileBounds::Restore(int nRelative) {
  // A state saved n levels up (negative), or the n-th saved state.
  const long long depth = static_cast<long long>(m_saved.size());
  const long long keep = nRelative < 0 ? depth + nRelative : static_cast<long long>(nRelative) - 1;
  if (nRelative == 0 || keep < 0 || keep >= depth) return false;
  m_mapping = m_saved[static_cast<size_t>(keep)];
  m_saved.resize(static_cast<size_t>(keep));
  return true;
}

bool CMetafileBounds::Sized(double dSize) {
  if (!IsLogical(dSize)) return false;
  m_largestSize = std::max(m_largestSize, dSize * Magnification());
  return m_largestSize <= kMaxSizeFrames * m_smallerSide;
}

MetafileSummary CMetafileBounds::Summary() const {
  MetafileSummary summary;
  summary.frameWidth = m_frame.Width();
  summary.frameHeight = m_frame.Height();
  summary.largestSize = m_largestSize;
  summary.work = m_work;
  return summary;
}

bool CMetafileBounds::Pen(double dWidth) {
  dWidth = std::fabs(dWidth);
  m_widestPen = std::max(m_widestPen, dWidth);
  return Sized(dWidth);
}

bool CMetafileBounds::Font(double dHeight, double dWidth) {
  const double size = std::max(std::fabs(dHeight), std::fabs(dWidth));
  m_tallestFont = std::max(m_tallestFont, size);
  return Sized(size);
}

bool CMetafileBounds::Lands(const CRectD& box) {
  if (!box.IsFinite() || box.left < m_reach.left || box.right > m_reach.right || box.top < m_reach.top ||
      box.bottom > m_reach.bottom)
    return false;
  m_work += (box.bottom - box.top) / m_frame.Height();
  return m_work <= kMaxWork;
}

bool CMetafileBounds::Draw(const CPointD* pts, size_t n) {
  if (n == 0) return true;
  std::vector<CPointD> device(n);
  for (size_t i = 0; i < n; ++i) {
    if (!IsLogical(pts[i].x) || !IsLogical(pts[i].y)) return false;
    device[i] = ToDevice(pts[i]);
  }
  // Pens are sized when they draw, with the mapping of that moment.
  if (!Sized(m_widestPen)) return false;
  CRectD box = BoundingBox(device.data(), n);
  // Pens are sized when they draw, with the mapping of that moment; the
  // widest made so far stands for the one selected.
  const double pen = m_widestPen * Magnification() / 2.0 + 1.0;
  box = CRectD(box.left - pen, box.top - pen, box.right + pen, box.bottom + pen);
  return Lands(box);
}

bool CMetafileBounds::Text(const CPointD& at, size_t nChars) {
  // Glyphs cost the same wherever they land (each is rendered, then
  // clipped): the place is checked, and every glyph counts as a row run of
  // the font's height.
  if (!Draw(&at, 1) || !Sized(m_tallestFont)) return false;
  m_work += static_cast<double>(nChars) * m_tallestFont * Magnification() / m_frame.Height();
  return m_work <= kMaxWork;
}
