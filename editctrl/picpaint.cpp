// Painting the editing window: through a memory surface over the area to
// paint, the picture's background, the grid dots, every object of the visible
// layers and the handles of the selected objects.
#include "drawobj.h"
#include "layerwalk.h"
#include "memdc.h"
#include "picgrid.h"
#include "piceditwnd.h"
#include "picobj.h"

namespace {

COLORREF InverseOf(COLORREF c) {
  return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

// BeginPaint and EndPaint around one paint.
class CPaintScope {
 public:
  explicit CPaintScope(HWND hwnd) : m_hWnd(hwnd), m_hdc(::BeginPaint(hwnd, &m_ps)) {}
  ~CPaintScope() { ::EndPaint(m_hWnd, &m_ps); }
  CPaintScope(const CPaintScope&) = delete;
  CPaintScope& operator=(const CPaintScope&) = delete;
  HDC hdc() const { return m_hdc; }

 private:
  HWND m_hWnd;
  PAINTSTRUCT m_ps = {};
  HDC m_hdc;
};

}  // namespace

void CPicEditWnd::DrawGrid(CDC& dc, const RECT& area) const {
  // Only the dots inside the area to paint: a picture of tens of millions of
  // pixels a side must not be walked dot by dot.
  DrawGridDots(dc, area, SIZE{m_pPicture->m_nWidth, m_pPicture->m_nHeight}, kGridStep, m_dZoom,
               m_ptOrigin, InverseOf(m_pPicture->m_clrBack));
}

void CPicEditWnd::OnPaint() {
  CPaintScope paint(m_hWnd);
  if (!m_pPicture || !paint.hdc()) return;
  CDC output(paint.hdc());
  COLORREF oldBack = output.SetBkColor(m_pPicture->m_clrBack);
  {
    CMemDC surface(&output);  // filled with the background colour; copied out when it goes
    if (m_bSnap) DrawGrid(surface, surface.GetArea());
    ForEachVisibleObject(*m_pPicture, [&](CDrawObj* obj) { obj->Draw(&surface, 0); });
    for (CDrawObj* obj : m_selection) obj->DrawTracker(&surface, 1);
  }
  output.SetBkColor(oldBack);
}
