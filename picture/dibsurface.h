// A top-down 32-bit DIB section selected into a memory DC of its own: a
// drawing surface whose pixels are read and written straight in memory.
#pragma once

#include <windows.h>

#include <cstddef>

class CDibSurface {
 public:
  // What a new surface's pixels hold: all 0, or whatever the platform gave
  // (for a large surface of which only a part is drawn on and read: its
  // other pages are never touched).
  enum class Start { cleared, untouched };

  // A w x h surface compatible with hdcLike (the screen when null); check
  // IsValid, the platform may refuse.
  CDibSurface(HDC hdcLike, int w, int h, Start start = Start::cleared);
  ~CDibSurface();
  CDibSurface(const CDibSurface&) = delete;
  CDibSurface& operator=(const CDibSurface&) = delete;

  bool IsValid() const { return m_pBits != nullptr; }
  HDC dc() const { return m_hDC; }
  DWORD* bits() const { return m_pBits; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  size_t PixelCount() const { return static_cast<size_t>(m_width) * m_height; }
  // Every pixel, all 32 bits, set to value (once GDI has finished drawing).
  void Fill(DWORD value);

 private:
  int m_width, m_height;
  HDC m_hDC = nullptr;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOld = nullptr;
  DWORD* m_pBits = nullptr;
};
