#include "dibsurface.h"

#include <algorithm>

CDibSurface::CDibSurface(HDC hdcLike, int w, int h, Start start) : m_width(w), m_height(h) {
  if (w <= 0 || h <= 0) return;
  m_hDC = ::CreateCompatibleDC(hdcLike);
  if (!m_hDC) return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_hBitmap = ::CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!m_hBitmap) return;
  m_hOld = ::SelectObject(m_hDC, m_hBitmap);
  m_pBits = static_cast<DWORD*>(bits);
  if (start == Start::cleared) Fill(0);
}

CDibSurface::~CDibSurface() {
  if (m_hOld) ::SelectObject(m_hDC, m_hOld);
  if (m_hBitmap) ::DeleteObject(m_hBitmap);
  if (m_hDC) ::DeleteDC(m_hDC);
}

void CDibSurface::Fill(DWORD value) {
  if (!m_pBits) return;
  ::GdiFlush();
  std::fill(m_pBits, m_pBits + PixelCount(), value);
}
