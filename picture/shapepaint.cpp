#include "shapepaint.h"

#include <algorithm>

#include "gdiplusapi.h"
#include "gradientline.h"

namespace {

// Styles 1 to 4 of a line are the dash patterns; style 1 draws dotted.
int GeometricStyle(int nStyle) { return nStyle == PS_DASH ? PS_DOT : nStyle; }

bool UsesGeometricPen(int nStyle, PenRule rule) {
  if (rule == PenRule::AnyNonSolid) return nStyle != 0;
  return nStyle >= 1 && nStyle <= 4;
}

// The brush that a fill style draws with, as GDI brush parameters.
bool FillBrushOf(int nFillStyle, COLORREF c, LOGBRUSH* lb) {
  lb->lbColor = c;
  lb->lbHatch = 0;
  if (nFillStyle == 1) {
    lb->lbStyle = BS_SOLID;
    return true;
  }
  if (nFillStyle >= 1000) {
    int hatch = nFillStyle - 1000;
    if (hatch > HS_DIAGCROSS) return false;
    lb->lbStyle = BS_HATCHED;
    lb->lbHatch = hatch;
    return true;
  }
  if (nFillStyle >= 100) {
    lb->lbStyle = nFillStyle - 100;
    // Pattern and DIB brushes need a bitmap that a stored number cannot give.
    return lb->lbStyle == BS_SOLID || lb->lbStyle == BS_NULL || lb->lbStyle == BS_HATCHED;
  }
  return false;
}

}  // namespace

int PenWidth(int nLineWidth, double dZoom) {
  const double w = nLineWidth * dZoom;
  if (!(w >= 1.0)) return 1;  // also a NaN zoom
  return w >= kMaxPenWidth ? kMaxPenWidth : static_cast<int>(w);
}

bool IsThinDashedPen(int nStyle, int nLineWidth, double dZoom, PenRule rule) {
  const int dashes = GeometricStyle(nStyle);
  return UsesGeometricPen(nStyle, rule) && dashes >= PS_DASH && dashes <= PS_DASHDOTDOT &&
         PenWidth(nLineWidth, dZoom) <= 1;
}

bool IsThinCosmeticPen(int nStyle, int nLineWidth, double dZoom, PenRule rule) {
  return !UsesGeometricPen(nStyle, rule) && PenWidth(nLineWidth, dZoom) <= 1;
}

void DropRepeatedPoints(std::vector<POINT>& pts) {
  auto same = [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; };
  pts.erase(std::unique(pts.begin(), pts.end(), same), pts.end());
}

BOOL CreateLinePen(CPen& pen, int nStyle, int nLineWidth, double dZoom, COLORREF c, PenRule rule,
                   BOOL bNoOutline) {
  int width = PenWidth(nLineWidth, dZoom);
  if (UsesGeometricPen(nStyle, rule)) {
    LOGBRUSH lb = {static_cast<UINT>(bNoOutline ? BS_HOLLOW : BS_SOLID), c, 0};
    return pen.CreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | GeometricStyle(nStyle), width, &lb);
  }
  LOGPEN lp = {static_cast<UINT>(bNoOutline ? PS_NULL : nStyle), {width, 0}, c};
  return pen.CreatePenIndirect(&lp);
}

BOOL CreateFillBrush(CBrush& brush, int nFillStyle, COLORREF c) {
  LOGBRUSH lb;
  if (!FillBrushOf(nFillStyle, c, &lb)) return FALSE;
  return brush.CreateBrushIndirect(&lb);
}

namespace {

// The gradient brush of fill style 2 to 5 over rc, or null.
Gdiplus::GpLineGradient* NewPolygonGradient(const RECT& rc, int nFillStyle, COLORREF c1, COLORREF c2) {
  using namespace Gdiplus;
  const bool across = nFillStyle == 2 || nFillStyle == 5;
  GpRect area(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  GpLineGradient* pGradient = nullptr;
  if (qel::gdip::GdipCreateLineBrushFromRectI(
          &area, qel::ArgbOf(c1), qel::ArgbOf(c2),
          across ? LinearGradientModeHorizontal : LinearGradientModeVertical, WrapModeTile, &pGradient) != Ok)
    return nullptr;
  if (nFillStyle == 2 || nFillStyle == 3) {
    // Colour 2 at both ends, colour 1 along the middle.
    static const REAL factors[3] = {1.0f, 0.0f, 1.0f};
    static const REAL positions[3] = {0.0f, 0.5f, 1.0f};
    qel::gdip::GdipSetLineBlend(pGradient, factors, positions, 3);
  }
  return pGradient;
}

// Fills with the gradient over rc what fill(graphics, brush) covers.
template <class Fill>
void FillWithPolygonGradient(HDC hdc, const RECT& rc, int nFillStyle, COLORREF c1, COLORREF c2, Fill fill) {
  qel::GdipGraphics graphics(hdc);
  if (!graphics) return;
  qel::GdipBrush brush;
  brush.reset(NewPolygonGradient(rc, nFillStyle, c1, c2));
  if (!brush) return;
  qel::gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeNone);
  fill(graphics.get(), brush.get());
}

// The device region GDI+ fills for the polygon (alternate filling, no
// smoothing): the polygon's path made a region, as GDI makes it.
HRGN NewPolygonFillRegion(HDC hdc, const POINT* pts, int n) {
  if (!::BeginPath(hdc)) return nullptr;
  ::Polygon(hdc, pts, n);
  if (!::EndPath(hdc)) return nullptr;
  const int oldMode = ::SetPolyFillMode(hdc, ALTERNATE);
  HRGN region = ::PathToRegion(hdc);
  ::SetPolyFillMode(hdc, oldMode);
  return region;
}

}  // namespace

void FillGradientPolygon(HDC hdc, const POINT* pts, int n, const RECT& rc, int nFillStyle, COLORREF c1,
                         COLORREF c2) {
  if (!IsGradientFill(nFillStyle) || rc.right == rc.left || rc.bottom == rc.top || n < 3) return;
  // The polygon's pixels as a region, and one line of the gradient over
  // them: GDI+ would work out its gradient at every pixel of the fill. A
  // gradient across only: GDI+ turns its rectangle's downward gradients
  // by a quarter, and their colours then move with the fill's place.
  const bool across = nFillStyle == 2 || nFillStyle == 5;
  CRgn shape;
  if (across) shape.Attach(NewPolygonFillRegion(hdc, pts, n));
  if (shape.GetSafeHandle() && FillThroughGradientLine(hdc, rc, true, shape, [&](HDC line) {
        FillWithPolygonGradient(
            line, rc, nFillStyle, c1, c2, [&](Gdiplus::GpGraphics* g, Gdiplus::GpBrush* b) {
              qel::gdip::GdipFillRectangleI(g, b, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
            });
      }))
    return;
  FillGradientPolygonByGdiplus(hdc, pts, n, rc, nFillStyle, c1, c2);
}

void FillGradientPolygonByGdiplus(HDC hdc, const POINT* pts, int n, const RECT& rc, int nFillStyle,
                                  COLORREF c1, COLORREF c2) {
  if (!IsGradientFill(nFillStyle) || rc.right == rc.left || rc.bottom == rc.top || n < 3) return;
  FillWithPolygonGradient(hdc, rc, nFillStyle, c1, c2, [&](Gdiplus::GpGraphics* g, Gdiplus::GpBrush* b) {
    qel::gdip::GdipFillPolygonI(g, b, reinterpret_cast<const Gdiplus::GpPoint*>(pts), n,
                                Gdiplus::FillModeAlternate);
  });
}
