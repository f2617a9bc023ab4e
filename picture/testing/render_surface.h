// A drawing surface for tests: a 32-bpp top-down DIB section selected into a
// memory DC, whose pixels are read straight from the bits.
//
// Colours read back are 0x00RRGGBB (the DIB's byte order B, G, R, X); GDI
// colour references are 0x00BBGGRR, so use RgbOf to compare with what was
// drawn. Pixel coordinates are device pixels of the bitmap, whatever mapping
// mode or window origin the DC has.
#pragma once
#include <windows.h>

namespace qeltest {

// The 0x00RRGGBB form of a GDI colour reference.
constexpr DWORD RgbOf(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

class RenderSurface {
 public:
  RenderSurface(int width, int height);
  ~RenderSurface();
  RenderSurface(const RenderSurface&) = delete;
  RenderSurface& operator=(const RenderSurface&) = delete;

  // False when the DC or the DIB section could not be made.
  bool IsValid() const { return bits_ != nullptr; }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // 0x00RRGGBB of the pixel, after GDI has finished drawing; 0xFFFFFFFF
  // outside the surface.
  DWORD Pixel(int x, int y) const;
  // Sets every pixel to rgb (0x00RRGGBB).
  void Fill(DWORD rgb);
  // Number of pixels of colour rgb.
  int CountPixels(DWORD rgb) const;
  // Smallest rectangle (right and bottom exclusive) holding every pixel that
  // differs from background; all zero when there is none.
  RECT BoundsOfDifferent(DWORD background) const;

 private:
  DWORD RawPixel(int x, int y) const { return bits_[y * width_ + x] & 0x00FFFFFF; }

  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  DWORD* bits_ = nullptr;
};

}  // namespace qeltest
