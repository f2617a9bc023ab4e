#include "frametext.h"

#include <algorithm>
#include <cmath>

#include "dibsurface.h"
#include "gdiplusapi.h"
#include "textfont.h"

namespace {

// Draws with DrawText's own layout and clipping into r on the DC as it is.
void DrawTextPlain(HDC hdc, HFONT font, RECT r, const char* pszText, COLORREF clrText, UINT nFlags) {
  CSelectGdi selectFont(hdc, font);
  const COLORREF oldColour = ::SetTextColor(hdc, clrText);
  const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
  ::DrawTextA(hdc, pszText, -1, &r, nFlags);
  ::SetBkMode(hdc, oldMode);
  ::SetTextColor(hdc, oldColour);
}

// White text on black gives each pixel's coverage; turns it into the text
// colour with that coverage as (premultiplied) alpha.
void CoverageToColour(CDibSurface& bitmap, COLORREF clrText) {
  const DWORD red = GetRValue(clrText), green = GetGValue(clrText), blue = GetBValue(clrText);
  DWORD* p = bitmap.bits();
  const size_t count = static_cast<size_t>(bitmap.width()) * bitmap.height();
  for (size_t i = 0; i < count; ++i) {
    const DWORD px = p[i];
    DWORD coverage = px & 0xFF;
    if (((px >> 8) & 0xFF) > coverage) coverage = (px >> 8) & 0xFF;
    if (((px >> 16) & 0xFF) > coverage) coverage = (px >> 16) & 0xFF;
    p[i] = (coverage << 24) | ((red * coverage / 255) << 16) | ((green * coverage / 255) << 8) |
           (blue * coverage / 255);
  }
}

// A multi-line text is laid out from the top of its rectangle, and DrawText
// stops after the line that passes the rectangle's bottom: the rectangle cut
// a pixel below what is visible lays the visible lines out exactly as the
// whole one and skips the rest, so a long text in a huge frame does not have
// every glyph rendered. A single line may be centred or bottom-aligned, so
// it keeps its rectangle.
RECT CutBelowVisible(RECT r, LONG visibleBottom, UINT nFlags) {
  if (!(nFlags & DT_SINGLELINE) && r.bottom > visibleBottom + 1)
    r.bottom = std::max(r.top, visibleBottom + 1);
  return r;
}

// A point of the frame, (u, v) in its own pixels, on the DC.
Gdiplus::GpPointF FramePointOnDC(const XFORM& x, int u, int v) {
  return Gdiplus::GpPointF(x.eDx + u * x.eM11 + v * x.eM21, x.eDy + u * x.eM12 + v * x.eM22);
}

// Lays the text out upright and maps it onto the turned (or mirrored)
// frame with GDI+, since GDI's own text under a turned world transform is
// not placed reliably on every platform. Only the part of the text
// rectangle r that can show through the DC's clip box is laid out, so the
// bitmap stays as small as what is visible, however large the frame.
void DrawTextTurned(HDC hdc, const DeviceFrame& frame, HFONT font, const RECT& r, const char* pszText,
                    COLORREF clrText, UINT nFlags) {
  RECT clip;
  if (::GetClipBox(hdc, &clip) == ERROR) return;
  const RECT visible = VisibleFramePart(frame, clip);
  RECT part;
  if (!::IntersectRect(&part, &visible, &r) || !qel::StartGdiplus()) return;
  const int w = part.right - part.left;
  const int h = part.bottom - part.top;
  CDibSurface upright(hdc, w, h);
  if (!upright.IsValid()) return;
  // The same layout as in the whole rectangle, seen through the part.
  RECT layout = CutBelowVisible(r, part.bottom, nFlags);
  ::OffsetRect(&layout, -part.left, -part.top);
  DrawTextPlain(upright.dc(), font, layout, pszText, RGB(255, 255, 255), nFlags);
  ::GdiFlush();
  CoverageToColour(upright, clrText);

  qel::GdipImage image;
  if (!qel::WrapPremultipliedPixels(upright.bits(), w, h, &image)) return;
  {
    qel::GdipGraphics graphics(hdc);
    if (graphics) {
      const XFORM& x = frame.xform;
      const Gdiplus::GpPointF corners[3] = {
          FramePointOnDC(x, part.left, part.top),
          FramePointOnDC(x, part.right, part.top),
          FramePointOnDC(x, part.left, part.bottom),
      };
      // The bitmap has the frame's own scale: each pixel only turns, so
      // the nearest pixel serves (and costs a fraction of smoothing).
      qel::gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeNearestNeighbor);
      qel::gdip::GdipDrawImagePoints(graphics.get(), image.get(), corners, 3);
    }
  }
}

}  // namespace

RECT VisibleFramePart(const DeviceFrame& frame, const RECT& clip) {
  const XFORM& x = frame.xform;
  const double det = static_cast<double>(x.eM11) * x.eM22 - static_cast<double>(x.eM12) * x.eM21;
  RECT none = {0, 0, 0, 0};
  if (!(std::fabs(det) > 1e-9) || clip.right <= clip.left || clip.bottom <= clip.top) return none;
  // Each corner of the clip box taken back into the frame.
  const LONG xs[2] = {clip.left, clip.right};
  const LONG ys[2] = {clip.top, clip.bottom};
  double uMin = 0, uMax = 0, vMin = 0, vMax = 0;
  for (int i = 0; i < 4; ++i) {
    const double dx = xs[i & 1] - static_cast<double>(x.eDx);
    const double dy = ys[i >> 1] - static_cast<double>(x.eDy);
    const double u = (dx * x.eM22 - dy * x.eM21) / det;
    const double v = (dy * x.eM11 - dx * x.eM12) / det;
    uMin = i ? std::min(uMin, u) : u;
    uMax = i ? std::max(uMax, u) : u;
    vMin = i ? std::min(vMin, v) : v;
    vMax = i ? std::max(vMax, v) : v;
  }
  const RECT reach = {TruncCoord(std::floor(uMin)) - 1, TruncCoord(std::floor(vMin)) - 1,
                      TruncCoord(std::ceil(uMax)) + 1, TruncCoord(std::ceil(vMax)) + 1};
  const RECT whole = {0, 0, frame.width, frame.height};
  RECT part;
  return ::IntersectRect(&part, &reach, &whole) ? part : none;
}

void DrawTextInFrame(HDC hdc, const DeviceFrame& frame, const FrameInset& inset, const char* pszText,
                     const LOGFONTA& lf, double dZoom, COLORREF clrText, UINT nFlags) {
  RECT r = {inset.left, inset.top, frame.width - inset.right, frame.height - inset.bottom};
  if (r.right <= r.left || r.bottom <= r.top) return;
  CFont font;
  if (!CreateZoomedFont(font, lf, dZoom)) return;
  const char* text = pszText ? pszText : "";
  if (IsUpright(frame)) {
    // An upright frame is only moved: the same layout at its origin.
    ::OffsetRect(&r, static_cast<int>(frame.xform.eDx), static_cast<int>(frame.xform.eDy));
    RECT clip;
    if (::GetClipBox(hdc, &clip) != ERROR) r = CutBelowVisible(r, clip.bottom, nFlags);
    DrawTextPlain(hdc, font, r, text, clrText, nFlags);
  } else {
    DrawTextTurned(hdc, frame, font, r, text, clrText, nFlags);
  }
}
