// The GDI+ flat interface as the draw objects use it: the platform headers
// (which need the COM declarations and min/max that our lean build leaves
// out), a once-per-process start, and owners for graphics and brushes.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace qel {

namespace gdip = Gdiplus::DllExports;

// Starts GDI+ the first time it is called in the process; true when it runs.
bool StartGdiplus();

// Opaque ARGB of a Windows colour reference (0x00BBGGRR).
inline Gdiplus::ARGB ArgbOf(COLORREF c) {
  return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A GDI+ graphics on a device context or an image, deleted with the object.
class GdipGraphics {
 public:
  explicit GdipGraphics(HDC hdc);
  explicit GdipGraphics(Gdiplus::GpImage* image);
  ~GdipGraphics();
  GdipGraphics(const GdipGraphics&) = delete;
  GdipGraphics& operator=(const GdipGraphics&) = delete;
  Gdiplus::GpGraphics* get() const { return m_pGraphics; }
  explicit operator bool() const { return m_pGraphics != nullptr; }

 private:
  Gdiplus::GpGraphics* m_pGraphics = nullptr;
};

// Any GDI+ brush, deleted with the object.
class GdipBrush {
 public:
  GdipBrush() = default;
  ~GdipBrush();
  GdipBrush(const GdipBrush&) = delete;
  GdipBrush& operator=(const GdipBrush&) = delete;
  void reset(Gdiplus::GpBrush* p);
  Gdiplus::GpBrush* get() const { return m_pBrush; }
  explicit operator bool() const { return m_pBrush != nullptr; }

 private:
  Gdiplus::GpBrush* m_pBrush = nullptr;
};

// A GDI+ image, disposed of with the object.
class GdipImage {
 public:
  GdipImage() = default;
  ~GdipImage() { reset(nullptr); }
  GdipImage(const GdipImage&) = delete;
  GdipImage& operator=(const GdipImage&) = delete;
  void reset(Gdiplus::GpImage* p);
  Gdiplus::GpImage* get() const { return m_pImage; }
  explicit operator bool() const { return m_pImage != nullptr; }

 private:
  Gdiplus::GpImage* m_pImage = nullptr;
};

// A premultiplied 32-bit GDI+ bitmap over w x h pixels that the caller
// keeps (rows top-down, w pixels each, as a CDibSurface holds them), put in
// *pImage; false when GDI+ refuses.
bool WrapPremultipliedPixels(DWORD* pixels, int w, int h, GdipImage* pImage);

}  // namespace qel
