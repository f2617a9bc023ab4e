// Painting a rotatable rectangle in its own frame: the device frame and its
// world transform, the outline pen, the five fill styles, the percentage fill
// and the handle squares. Shared by the rectangle, the ellipse and the text
// objects drawn on a rectangle.
#pragma once

#include <windows.h>

#include <vector>

#include "gdiwrap.h"
#include "rectcorners.h"
#include "shapepaint.h"

// The rectangle's frame on the device: (0, 0) is P1's device position, the
// x axis runs along P1P2 and the y axis towards P4 (so a mirrored rectangle
// flips the y axis). Width and height are in device pixels.
struct DeviceFrame {
  int width = 0;
  int height = 0;
  XFORM xform = {1, 0, 0, 1, 0, 0};
};
DeviceFrame MakeDeviceFrame(const RectCorners& corners, const ViewTransform& view);
// Whether the frame is only moved (not turned, mirrored or scaled).
bool IsUpright(const DeviceFrame& frame);
// The device pixels of (0, 0, W, H) in the frame, grown by nGrow.
RECT FrameReach(const DeviceFrame& frame, int nGrow);

// Puts a DC into the advanced graphics mode with a world transform for the
// length of a scope; the previous transform and mode come back afterwards.
class CWorldTransformScope {
 public:
  CWorldTransformScope(HDC hdc, const XFORM& xform);
  ~CWorldTransformScope();
  CWorldTransformScope(const CWorldTransformScope&) = delete;
  CWorldTransformScope& operator=(const CWorldTransformScope&) = delete;
  bool IsSet() const { return m_bSet; }

 private:
  HDC m_hDC;
  int m_nOldMode;
  XFORM m_oldXform;
  bool m_bSet = false;
};

// The outline pen of the rectangle family: style 0 a cosmetic pen (null when
// the colour is -1), any other style a geometric pen with flat ends (style 1
// dotted, a hollow brush when the colour is -1), width line width x zoom
// truncated, at least 1. False when the pen cannot be made.
bool CreateShapePen(CPen& pen, int nLineStyle, int nLineWidth, COLORREF clrLine, double dZoom);
// Whether that pen is a thin dashed one (IsThinDashedPen).
bool IsThinDashedShapePen(int nLineStyle, int nLineWidth, double dZoom);

enum class FrameShape { rectangle, ellipse };

// Fills the shape inscribed in (0, 0, W, H) of the frame with GDI+: style 1
// plain in colour 1, styles 2 to 5 the linear gradients from colour 1 to
// colour 2; anything else, or a frame without area, fills nothing. An
// upright gradient rectangle on a memory DC comes out as GDI+ fills it, but
// only its visible part is worked out, and only one line of it by GDI+.
void FillFrameShape(HDC hdc, const DeviceFrame& frame, FrameShape shape, int nFillStyle, COLORREF clr1,
                    COLORREF clr2);
// The same, every pixel by GDI+.
void FillFrameShapeByGdiplus(HDC hdc, const DeviceFrame& frame, FrameShape shape, int nFillStyle,
                             COLORREF clr1, COLORREF clr2);

// The part of (0, 0, W, H) that a percentage fill covers: fraction f of the
// height from the bottom (direction 0) or the top (1), of the width from the
// left (2) or the right (3). The fraction is clamped to [0, 1]. False for any
// other direction.
bool PercentFillArea(int nWidth, int nHeight, double dFraction, int nDirection, RECT* pArea);

// Fills the percentage-fill area of the frame in the colour.
void FillFramePercent(HDC hdc, const DeviceFrame& frame, double dFraction, int nDirection, COLORREF clr);

// One solid fill of a handle square: where, and in what colour.
struct HandleFill {
  RECT rect;
  COLORREF colour;
};

// The fills of a handle's square (x - 3, y - 3, x + 3, y + 3): the square in
// one colour, then its inside (one pixel in) in another.
void AppendHandleSquare(std::vector<HandleFill>& fills, POINT pt, COLORREF clrOuter, COLORREF clrInner);
// Draws those fills.
void FillHandleSquare(CDC* pDC, POINT pt, COLORREF clrOuter, COLORREF clrInner);
