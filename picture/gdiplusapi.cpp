#include "gdiplusapi.h"

namespace qel {

bool StartGdiplus() {
  // A function-local static: thread-safe, once per process, never shut
  // down (the process ending releases GDI+ with it).
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

GdipGraphics::GdipGraphics(HDC hdc) {
  if (StartGdiplus() && gdip::GdipCreateFromHDC(hdc, &m_pGraphics) != Gdiplus::Ok) m_pGraphics = nullptr;
}

GdipGraphics::GdipGraphics(Gdiplus::GpImage* image) {
  if (!image || !StartGdiplus() || gdip::GdipGetImageGraphicsContext(image, &m_pGraphics) != Gdiplus::Ok)
    m_pGraphics = nullptr;
}

GdipGraphics::~GdipGraphics() {
  if (m_pGraphics) gdip::GdipDeleteGraphics(m_pGraphics);
}

GdipBrush::~GdipBrush() { reset(nullptr); }

void GdipBrush::reset(Gdiplus::GpBrush* p) {
  if (m_pBrush) gdip::GdipDeleteBrush(m_pBrush);
  m_pBrush = p;
}

void GdipImage::reset(Gdiplus::GpImage* p) {
  if (m_pImage) gdip::GdipDisposeImage(m_pImage);
  m_pImage = p;
}

bool WrapPremultipliedPixels(DWORD* pixels, int w, int h, GdipImage* pImage) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (!StartGdiplus() ||
      gdip::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels),
                                      &bitmap) != Gdiplus::Ok)
    return false;
  pImage->reset(bitmap);
  return true;
}

}  // namespace qel
