#include <cstring>

#include "windowprobe.h"

namespace windowprobe {

namespace {
constexpr UINT kClientOnly = 1;  // PrintWindow: the client area, its origin at (0, 0)
}  // namespace

bool PaintClient(HWND window, LONG width, LONG height, RGBQUAD* pixels) {
  if (width <= 0 || height <= 0 || !pixels) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = ::CreateCompatibleDC(nullptr);
  HBITMAP bitmap = memory ? ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  bool painted = false;
  if (bitmap && bits) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    painted = ::PrintWindow(window, memory, kClientOnly) != FALSE;
    ::GdiFlush();
    ::SelectObject(memory, old);
    if (painted) std::memcpy(pixels, bits, static_cast<size_t>(width) * height * sizeof(RGBQUAD));
  }
  if (bitmap) ::DeleteObject(bitmap);
  if (memory) ::DeleteDC(memory);
  return painted;
}

}  // namespace windowprobe
