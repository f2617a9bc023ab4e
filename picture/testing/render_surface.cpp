#include "render_surface.h"

namespace qeltest {

RenderSurface::RenderSurface(int width, int height)
    : surface_(nullptr, width > 0 ? width : 0, height > 0 ? height : 0) {}

DWORD RenderSurface::Pixel(int x, int y) const {
  if (!IsValid() || x < 0 || y < 0 || x >= width() || y >= height()) return 0xFFFFFFFF;
  GdiFlush();
  return RawPixel(x, y);
}

void RenderSurface::Fill(DWORD rgb) { surface_.Fill(rgb & 0x00FFFFFF); }

int RenderSurface::CountPixels(DWORD rgb) const {
  int count = 0;
  for (DWORD pixel : Pixels()) count += pixel == (rgb & 0x00FFFFFF);
  return count;
}

std::vector<DWORD> RenderSurface::Pixels() const {
  std::vector<DWORD> pixels;
  if (!IsValid()) return pixels;
  GdiFlush();
  pixels.reserve(surface_.PixelCount());
  for (int y = 0; y < height(); ++y)
    for (int x = 0; x < width(); ++x) pixels.push_back(RawPixel(x, y));
  return pixels;
}

RECT RenderSurface::BoundsOfDifferent(DWORD background) const {
  RECT box = {width(), height(), 0, 0};
  if (IsValid()) {
    GdiFlush();
    for (int y = 0; y < height(); ++y)
      for (int x = 0; x < width(); ++x) {
        if (RawPixel(x, y) == (background & 0x00FFFFFF)) continue;
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x + 1 > box.right) box.right = x + 1;
        if (y + 1 > box.bottom) box.bottom = y + 1;
      }
  }
  if (box.right == 0) box = RECT{0, 0, 0, 0};
  return box;
}

}  // namespace qeltest
