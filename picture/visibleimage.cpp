#include "visibleimage.h"

#include <algorithm>
#include <cmath>

#include "dibsurface.h"
#include "geometry.h"

namespace {

// The device box of the parallelogram, its fourth corner completing it.
CRectD ParallelogramBox(const Gdiplus::GpPointF corners[3]) {
  const CPointD spread[4] = {CPointD(corners[0].X, corners[0].Y), CPointD(corners[1].X, corners[1].Y),
                             CPointD(corners[2].X, corners[2].Y),
                             CPointD(static_cast<double>(corners[1].X) + corners[2].X - corners[0].X,
                                     static_cast<double>(corners[1].Y) + corners[2].Y - corners[0].Y)};
  return BoundingBox(spread, 4);
}

}  // namespace

bool IsBeyondValidImageExtent(const Gdiplus::GpPointF corners[3]) {
  const CRectD box = ParallelogramBox(corners);
  return IsBeyondValidExtent(std::max(box.right - box.left, box.bottom - box.top));
}

void DrawVisibleImagePart(HDC hdc, Gdiplus::GpImage* image, const Gdiplus::GpPointF corners[3]) {
  RECT clip, visible;
  const RECT reach = EnclosingRect(ParallelogramBox(corners), 0);
  if (::GetClipBox(hdc, &clip) == ERROR || !::IntersectRect(&visible, &clip, &reach)) return;
  const int w = visible.right - visible.left;
  const int h = visible.bottom - visible.top;
  // Each raster pixel stands for a square of `cell` device pixels.
  const int cell =
      std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(w) * h / kVisibleImagePixels))));
  const int rw = (w + cell - 1) / cell;
  const int rh = (h + cell - 1) / cell;
  CDibSurface raster(hdc, rw, rh);
  if (!raster.IsValid()) return;
  qel::GdipImage onRaster;
  if (!qel::WrapPremultipliedPixels(raster.bits(), rw, rh, &onRaster)) return;
  {
    qel::GdipGraphics graphics(onRaster.get());
    if (!graphics) return;
    Gdiplus::GpPointF scaled[3];
    for (int i = 0; i < 3; ++i)
      scaled[i] = Gdiplus::GpPointF(static_cast<Gdiplus::REAL>((corners[i].X - visible.left) / cell),
                                    static_cast<Gdiplus::REAL>((corners[i].Y - visible.top) / cell));
    qel::gdip::GdipDrawImagePoints(graphics.get(), image, scaled, 3);
  }
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::GdiAlphaBlend(hdc, visible.left, visible.top, rw * cell, rh * cell, raster.dc(), 0, 0, rw, rh, blend);
}
