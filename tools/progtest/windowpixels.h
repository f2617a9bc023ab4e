// A window's own drawing of its client area, read from a memory surface the
// window paints into when asked (PrintWindow), not from the shared screen:
// the windows of other tests that lie above it on the one test display
// change nothing. The window may belong to another process.
#pragma once
#include <windows.h>

#include <vector>

namespace progtest {

class WindowPixels {
 public:
  // Asks the window to paint its client area now.
  explicit WindowPixels(HWND window);
  // Ok(): the window painted into the surface.
  bool Ok() const { return m_ok; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // The colour at a point of the client area; CLR_INVALID outside it or
  // when the window did not paint.
  COLORREF At(int x, int y) const;
  COLORREF At(POINT client) const { return At(client.x, client.y); }

 private:
  int m_width = 0;
  int m_height = 0;
  bool m_ok = false;
  std::vector<COLORREF> m_pixels;  // rows top to bottom
};

// One pixel of the window's own drawing of its client area.
COLORREF ClientPixel(HWND window, POINT client);

}  // namespace progtest
