#include "shapepaint.h"

#include <algorithm>

#include "gdiplusapi.h"

namespace {

// Styles 1 to 4 of a line are the dash patterns; style 1 draws dotted.
int GeometricStyle(int nStyle) { return nStyle == PS_DASH ? PS_DOT : nStyle; }

bool UsesGeometricPen(int nStyle, PenRule rule) {
    if (rule == PenRule::AnyNonSolid)
        return nStyle != 0;
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
        if (hatch > HS_DIAGCROSS)
            return false;
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
    if (!(w >= 1.0))
        return 1;  // also a NaN zoom
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
    if (!FillBrushOf(nFillStyle, c, &lb))
        return FALSE;
    return brush.CreateBrushIndirect(&lb);
}

void FillGradientPolygon(HDC hdc, const POINT* pts, int n, const RECT& rc, int nFillStyle,
                         COLORREF c1, COLORREF c2) {
    using namespace Gdiplus;
    if (!IsGradientFill(nFillStyle) || rc.right == rc.left || rc.bottom == rc.top || n < 3)
        return;
    qel::GdipGraphics graphics(hdc);
    if (!graphics)
        return;
    bool across = nFillStyle == 2 || nFillStyle == 5;
    GpRect area(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    GpLineGradient* pGradient = nullptr;
    if (qel::gdip::GdipCreateLineBrushFromRectI(
            &area, qel::ArgbOf(c1), qel::ArgbOf(c2),
            across ? LinearGradientModeHorizontal : LinearGradientModeVertical, WrapModeTile,
            &pGradient) != Ok)
        return;
    qel::GdipBrush brush;
    brush.reset(pGradient);
    if (nFillStyle == 2 || nFillStyle == 3) {
        // Colour 2 at both ends, colour 1 along the middle.
        static const REAL factors[3] = {1.0f, 0.0f, 1.0f};
        static const REAL positions[3] = {0.0f, 0.5f, 1.0f};
        qel::gdip::GdipSetLineBlend(pGradient, factors, positions, 3);
    }
    qel::gdip::GdipSetSmoothingMode(graphics.get(), SmoothingModeNone);
    qel::gdip::GdipFillPolygonI(graphics.get(), brush.get(), reinterpret_cast<const GpPoint*>(pts), n,
                                FillModeAlternate);
}
