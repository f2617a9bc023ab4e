// A drawing surface for tests: the draw objects' own DIB surface
// (dibsurface.h), a 32-bpp top-down DIB section selected into a memory DC,
// whose pixels are read straight from the bits.
//
// Colours read back are 0x00RRGGBB (the DIB's byte order B, G, R, X); GDI
// colour references are 0x00BBGGRR, so use RgbOf to compare with what was
// drawn. Pixel coordinates are device pixels of the bitmap, whatever mapping
// mode or window origin the DC has.
#pragma once
#include <windows.h>

#include <vector>

#include "dibsurface.h"

namespace qeltest {

// The 0x00RRGGBB form of a GDI colour reference.
constexpr DWORD RgbOf(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

class RenderSurface {
 public:
  RenderSurface(int width, int height);

  // False when the DC or the DIB section could not be made.
  bool IsValid() const { return surface_.IsValid(); }
  HDC dc() const { return surface_.dc(); }
  int width() const { return surface_.width(); }
  int height() const { return surface_.height(); }

  // 0x00RRGGBB of the pixel, after GDI has finished drawing; 0xFFFFFFFF
  // outside the surface.
  DWORD Pixel(int x, int y) const;
  // Sets every pixel to rgb (0x00RRGGBB).
  void Fill(DWORD rgb);
  // Number of pixels of colour rgb.
  int CountPixels(DWORD rgb) const;
  // Every pixel, row by row, as Pixel gives it.
  std::vector<DWORD> Pixels() const;
  // Smallest rectangle (right and bottom exclusive) holding every pixel that
  // differs from background; all zero when there is none.
  RECT BoundsOfDifferent(DWORD background) const;

 private:
  DWORD RawPixel(int x, int y) const { return surface_.bits()[y * width() + x] & 0x00FFFFFF; }

  CDibSurface surface_;
};

}  // namespace qeltest
