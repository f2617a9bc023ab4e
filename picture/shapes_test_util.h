// Helpers of the shape tests: a tiny image file built in memory and a way to
// hand image bytes to an image object.
#pragma once

#include <windows.h>

#include <vector>

class CDrawBitmap;

namespace shapetest {

// Colours of the quadrants of QuadrantBmp (colour references).
constexpr COLORREF kTopLeft = RGB(255, 0, 0);
constexpr COLORREF kTopRight = RGB(0, 255, 0);
constexpr COLORREF kBottomLeft = RGB(0, 0, 255);
constexpr COLORREF kBottomRight = RGB(255, 255, 0);

// A 24-bit BMP file of w x h pixels whose four quadrants have the colours above.
std::vector<BYTE> QuadrantBmp(int w, int h);

// Gives the object these bytes as its image file (through LoadFromFile).
void SetImageBytes(CDrawBitmap& bitmap, const std::vector<BYTE>& bytes);

}  // namespace shapetest
