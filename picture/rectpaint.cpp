#include "rectpaint.h"

#include <cmath>

#include "gdiplusapi.h"
#include "gradientline.h"

namespace {

using qel::gdip::GdipCreateLineBrushI;
using qel::gdip::GdipCreateSolidFill;
using qel::gdip::GdipFillEllipseI;
using qel::gdip::GdipFillRectangleI;
using qel::gdip::GdipSetLineBlend;

// The gradient fills: which way the gradient runs and whether the
// three-point blend puts colour 2 at both ends and colour 1 in the middle.
struct GradientStyle {
  int style;
  bool across;  // from the left edge to the right edge, else top to bottom
  bool centred;
};
constexpr GradientStyle kGradientStyles[] = {
    {2, true, true},
    {3, false, true},
    {4, false, false},
    {5, true, false},
};

constexpr GradientStyle kPlainAsGradient = {1, true, false};

const GradientStyle* FindGradient(int style) {
  for (const GradientStyle& g : kGradientStyles)
    if (g.style == style) return &g;
  return nullptr;
}

Gdiplus::GpBrush* MakeGradientBrush(const GradientStyle& g, int w, int h, COLORREF c1, COLORREF c2) {
  const Gdiplus::GpPoint start = {0, 0};
  const Gdiplus::GpPoint end = {g.across ? w : 0, g.across ? 0 : h};
  Gdiplus::GpLineGradient* brush = nullptr;
  if (GdipCreateLineBrushI(&start, &end, qel::ArgbOf(c1), qel::ArgbOf(c2), Gdiplus::WrapModeTile, &brush) !=
      Gdiplus::Ok)
    return nullptr;
  if (g.centred) {
    const Gdiplus::REAL factors[3] = {1.0f, 0.0f, 1.0f};
    const Gdiplus::REAL positions[3] = {0.0f, 0.5f, 1.0f};
    GdipSetLineBlend(brush, factors, positions, 3);
  }
  return brush;
}

Gdiplus::GpBrush* MakeSolidBrush(COLORREF c) {
  Gdiplus::GpSolidFill* brush = nullptr;
  if (GdipCreateSolidFill(qel::ArgbOf(c), &brush) != Gdiplus::Ok) return nullptr;
  return brush;
}

// The brush of a fill style over a W x H frame, or null when nothing is to be
// filled. A gradient needs two distinct end points, so a frame without width
// or height gets none.
Gdiplus::GpBrush* MakeFillBrush(int style, int w, int h, COLORREF c1, COLORREF c2) {
  if (w == 0 || h == 0) return nullptr;
  if (style == 1) return MakeSolidBrush(c1);
  if (const GradientStyle* g = FindGradient(style)) return MakeGradientBrush(*g, w, h, c1, c2);
  return nullptr;
}

void FillInFrame(HDC hdc, const DeviceFrame& frame, FrameShape shape, Gdiplus::GpBrush* pBrush,
                 const RECT& area) {
  qel::GdipBrush brush;
  brush.reset(pBrush);
  if (!brush) return;
  CWorldTransformScope transform(hdc, frame.xform);
  if (!transform.IsSet()) return;
  qel::GdipGraphics graphics(hdc);
  if (!graphics) return;
  // Edges as GDI draws them: no smoothing, whatever the platform's default.
  qel::gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeNone);
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  if (shape == FrameShape::ellipse)
    GdipFillEllipseI(graphics.get(), brush.get(), area.left, area.top, w, h);
  else
    GdipFillRectangleI(graphics.get(), brush.get(), area.left, area.top, w, h);
}

// The device region GDI+ fills for the ellipse inscribed in a frame: the
// ellipse's path made a region through the frame's transform, as GDI+ makes
// it to fill it.
HRGN NewEllipseFillRegion(HDC hdc, const DeviceFrame& frame) {
  using namespace Gdiplus;
  CWorldTransformScope transform(hdc, frame.xform);
  if (!transform.IsSet()) return nullptr;
  qel::GdipGraphics graphics(hdc);
  if (!graphics) return nullptr;
  qel::gdip::GdipSetSmoothingMode(graphics.get(), SmoothingModeNone);
  GpPath* path = nullptr;
  if (qel::gdip::GdipCreatePath(FillModeAlternate, &path) != Ok) return nullptr;
  HRGN hrgn = nullptr;
  GpRegion* region = nullptr;
  if (qel::gdip::GdipAddPathEllipseI(path, 0, 0, frame.width, frame.height) == Ok &&
      qel::gdip::GdipCreateRegionPath(path, &region) == Ok) {
    if (qel::gdip::GdipGetRegionHRgn(region, graphics.get(), &hrgn) != Ok) hrgn = nullptr;
    qel::gdip::GdipDeleteRegion(region);
  }
  qel::gdip::GdipDeletePath(path);
  return hrgn;
}

// The logical rectangle (0, 0, W, H) of an upright frame covers.
RECT UprightFrameRect(const DeviceFrame& frame) {
  const LONG left = static_cast<LONG>(frame.xform.eDx);
  const LONG top = static_cast<LONG>(frame.xform.eDy);
  return RECT{left, top, left + frame.width, top + frame.height};
}

// Whether the frame's corner lies on whole pixels, as MakeDeviceFrame puts it.
bool IsOnWholePixels(const DeviceFrame& frame) {
  return frame.xform.eDx == std::floor(frame.xform.eDx) && frame.xform.eDy == std::floor(frame.xform.eDy);
}

}  // namespace

DeviceFrame MakeDeviceFrame(const RectCorners& corners, const ViewTransform& view) {
  const CPointD& p1 = corners.p[0];
  const DirPair axis = corners.XAxis();
  const CRectD own(p1.x, p1.y, p1.x + corners.Width(), p1.y + corners.Height());
  const RECT device = view.ToDevice(own).ToRect();

  DeviceFrame frame;
  // Corners so far apart that their distance overflows have no direction:
  // such a frame is left empty, so nothing is filled or written in it.
  if (!std::isfinite(axis.sine) || !std::isfinite(axis.cosine) || !std::isfinite(own.right) ||
      !std::isfinite(own.bottom))
    return frame;
  frame.width = device.right - device.left;
  frame.height = device.bottom - device.top;
  const FLOAT s = static_cast<FLOAT>(axis.sine);
  const FLOAT c = static_cast<FLOAT>(axis.cosine);
  const bool mirrored = corners.IsMirrored();
  frame.xform.eM11 = c;
  frame.xform.eM12 = s;
  frame.xform.eM21 = mirrored ? s : -s;
  frame.xform.eM22 = mirrored ? -c : c;
  frame.xform.eDx = static_cast<FLOAT>(device.left);
  frame.xform.eDy = static_cast<FLOAT>(device.top);
  return frame;
}

bool IsUpright(const DeviceFrame& frame) {
  const XFORM& x = frame.xform;
  return x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f;
}

RECT FrameReach(const DeviceFrame& frame, int nGrow) {
  const XFORM& x = frame.xform;
  CPointD corners[4];
  const int us[4] = {0, frame.width, 0, frame.width};
  const int vs[4] = {0, 0, frame.height, frame.height};
  for (int i = 0; i < 4; ++i)
    corners[i] = CPointD(x.eDx + us[i] * static_cast<double>(x.eM11) + vs[i] * static_cast<double>(x.eM21),
                         x.eDy + us[i] * static_cast<double>(x.eM12) + vs[i] * static_cast<double>(x.eM22));
  return EnclosingRect(BoundingBox(corners, 4), nGrow);
}

CWorldTransformScope::CWorldTransformScope(HDC hdc, const XFORM& xform)
    : m_hDC(hdc), m_nOldMode(::GetGraphicsMode(hdc)) {
  if (!::GetWorldTransform(hdc, &m_oldXform)) return;
  if (!::SetGraphicsMode(hdc, GM_ADVANCED)) return;
  m_bSet = ::SetWorldTransform(hdc, &xform) != FALSE;
  if (!m_bSet) ::SetGraphicsMode(hdc, m_nOldMode);
}

CWorldTransformScope::~CWorldTransformScope() {
  if (!m_bSet) return;
  ::SetWorldTransform(m_hDC, &m_oldXform);
  ::SetGraphicsMode(m_hDC, m_nOldMode);
}

bool CreateShapePen(CPen& pen, int nLineStyle, int nLineWidth, COLORREF clrLine, double dZoom) {
  return CreateLinePen(pen, nLineStyle, nLineWidth, dZoom, clrLine, PenRule::AnyNonSolid,
                       clrLine == kNoColor) != FALSE;
}

bool IsThinDashedShapePen(int nLineStyle, int nLineWidth, double dZoom) {
  return IsThinDashedPen(nLineStyle, nLineWidth, dZoom, PenRule::AnyNonSolid);
}

void FillFrameShape(HDC hdc, const DeviceFrame& frame, FrameShape shape, int nFillStyle, COLORREF clr1,
                    COLORREF clr2) {
  // An upright gradient fills the pixels of its rectangle exactly, and of
  // its ellipse what the ellipse's region holds: one line of the fill is
  // all GDI+ needs to work out.
  // A plain fill is a gradient of one colour, the same along any line.
  const GradientStyle* gradient = nFillStyle == 1 ? &kPlainAsGradient : FindGradient(nFillStyle);
  if (gradient && frame.width > 0 && frame.height > 0 && IsUpright(frame) && IsOnWholePixels(frame) &&
      qel::StartGdiplus()) {
    CRgn ellipse;
    if (shape == FrameShape::ellipse) ellipse.Attach(NewEllipseFillRegion(hdc, frame));
    const HRGN within = shape == FrameShape::ellipse ? static_cast<HRGN>(ellipse) : nullptr;
    if ((shape == FrameShape::rectangle || within) &&
        FillThroughGradientLine(hdc, UprightFrameRect(frame), gradient->across, within, [&](HDC line) {
          FillFrameShapeByGdiplus(line, frame, FrameShape::rectangle, nFillStyle, clr1, clr2);
        }))
      return;
  }
  FillFrameShapeByGdiplus(hdc, frame, shape, nFillStyle, clr1, clr2);
}

void FillFrameShapeByGdiplus(HDC hdc, const DeviceFrame& frame, FrameShape shape, int nFillStyle,
                             COLORREF clr1, COLORREF clr2) {
  Gdiplus::GpBrush* brush = nullptr;
  if (qel::StartGdiplus()) brush = MakeFillBrush(nFillStyle, frame.width, frame.height, clr1, clr2);
  const RECT all = {0, 0, frame.width, frame.height};
  FillInFrame(hdc, frame, shape, brush, all);
}

bool PercentFillArea(int w, int h, double f, int nDirection, RECT* pArea) {
  // A link may hand over any fraction (a value beyond its range, or no
  // range at all); the fill never leaves the rectangle.
  if (!(f >= 0.0)) f = 0.0;
  if (f > 1.0) f = 1.0;
  const int ph = static_cast<int>(h * f);
  const int pw = static_cast<int>(w * f);
  switch (nDirection) {
    case 0: *pArea = RECT{0, h - ph, w, h}; return true;
    case 1: *pArea = RECT{0, 0, w, ph}; return true;
    case 2: *pArea = RECT{0, 0, pw, h}; return true;
    case 3: *pArea = RECT{w - pw, 0, w, h}; return true;
    default: return false;
  }
}

void FillFramePercent(HDC hdc, const DeviceFrame& frame, double dFraction, int nDirection, COLORREF clr) {
  RECT area;
  if (!PercentFillArea(frame.width, frame.height, dFraction, nDirection, &area)) return;
  if (area.right == area.left || area.bottom == area.top || !qel::StartGdiplus()) return;
  FillInFrame(hdc, frame, FrameShape::rectangle, MakeSolidBrush(clr), area);
}

void AppendHandleSquare(std::vector<HandleFill>& fills, POINT pt, COLORREF clrOuter, COLORREF clrInner) {
  RECT r = {pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3};
  fills.push_back(HandleFill{r, clrOuter});
  ::InflateRect(&r, -1, -1);
  fills.push_back(HandleFill{r, clrInner});
}

void FillHandleSquare(CDC* pDC, POINT pt, COLORREF clrOuter, COLORREF clrInner) {
  std::vector<HandleFill> fills;
  AppendHandleSquare(fills, pt, clrOuter, clrInner);
  for (const HandleFill& fill : fills) pDC->FillSolidRect(fill.rect, fill.colour);
}
