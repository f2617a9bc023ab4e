// Pens and fills shared by the shapes: the line pen rules, the brushes of
// the fill styles and the GDI+ gradients.
#pragma once

#include <windows.h>

#include <vector>

#include "gdiwrap.h"

// Which line styles get a geometric (flat-ended, dotted-capable) pen.
enum class PenRule {
  DashStyles,   // styles 1 to 4 geometric, every other style cosmetic
  AnyNonSolid,  // every style but 0 geometric
};

// Line colour meaning "no outline" on filled shapes.
constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

// The widest stroke drawn, in device pixels: eight times the thickest line
// the editor offers (32) at its largest zoom (400%). A stored line width of
// millions would keep the platform busy for minutes.
constexpr int kMaxPenWidth = 1024;

// Pen width in device pixels: line width times zoom, truncated, at least 1
// and at most kMaxPenWidth.
int PenWidth(int nLineWidth, double dZoom);

// Whether the pen of a line style is a dashed geometric pen one pixel wide:
// the platform's slow kind, which is drawn near the painted area only
// (StrokePolyline).
bool IsThinDashedPen(int nStyle, int nLineWidth, double dZoom, PenRule rule);

// Whether the pen of a line style is a cosmetic one pixel wide: it draws
// nothing for a segment of no length, so repeated points can go
// (DropRepeatedPoints).
bool IsThinCosmeticPen(int nStyle, int nLineWidth, double dZoom, PenRule rule);

// Drops every point equal to the one before it: a fill and a thin cosmetic
// outline come out the same without them, and an outline of hundreds of
// thousands of points on a few hundred pixels (a metafile's) keeps a few
// thousand.
void DropRepeatedPoints(std::vector<POINT>& pts);

// Creates the pen of a line style. Style 1 draws dotted like style 2.
// bNoOutline makes it invisible (null cosmetic style, or a hollow brush for
// a geometric pen) for a filled shape whose line colour is -1.
BOOL CreateLinePen(CPen& pen, int nStyle, int nLineWidth, double dZoom, COLORREF c, PenRule rule,
                   BOOL bNoOutline);

// Creates the GDI brush of a plain or brush-style fill: style 1 solid; from
// 100 a Windows brush style (value - 100); from 1000 a hatch (value - 1000,
// only hatch styles 0 to 5). FALSE for a style without a GDI brush.
BOOL CreateFillBrush(CBrush& brush, int nFillStyle, COLORREF c);

// True for the fill styles drawn as gradients (2 to 5).
inline bool IsGradientFill(int nFillStyle) { return nFillStyle >= 2 && nFillStyle <= 5; }

// Fills a device polygon with the gradient of fill style 2 to 5 spread over
// rc: 2 across with colour 2 at both sides and colour 1 in the middle, 3 the
// same downwards, 4 colour 1 at the top to colour 2 at the bottom, 5 colour 1
// at the left to colour 2 at the right. A rectangle of zero width or height
// fills nothing. Alternate filling. On a memory DC GDI+ works out only one
// line of the gradient (gradientline.h), over the polygon's region.
void FillGradientPolygon(HDC hdc, const POINT* pts, int n, const RECT& rc, int nFillStyle, COLORREF c1,
                         COLORREF c2);
// The same, every pixel by GDI+.
void FillGradientPolygonByGdiplus(HDC hdc, const POINT* pts, int n, const RECT& rc, int nFillStyle,
                                  COLORREF c1, COLORREF c2);
