#include "render_surface.h"

namespace qeltest {

RenderSurface::RenderSurface(int width, int height)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0) {
  if (width_ == 0 || height_ == 0) return;
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down: row 0 is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return;
  oldBitmap_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<DWORD*>(bits);
}

RenderSurface::~RenderSurface() {
  if (dc_ && oldBitmap_) SelectObject(dc_, oldBitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

DWORD RenderSurface::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
  GdiFlush();
  return RawPixel(x, y);
}

void RenderSurface::Fill(DWORD rgb) {
  if (!bits_) return;
  GdiFlush();
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = rgb & 0x00FFFFFF;
}

int RenderSurface::CountPixels(DWORD rgb) const {
  if (!bits_) return 0;
  GdiFlush();
  int count = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (RawPixel(x, y) == (rgb & 0x00FFFFFF)) ++count;
  return count;
}

RECT RenderSurface::BoundsOfDifferent(DWORD background) const {
  RECT box = {width_, height_, 0, 0};
  if (bits_) {
    GdiFlush();
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) {
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
