// Painting through a memory surface over the clip box, so animation does not
// flicker; the background is filled by the surface (WM_ERASEBKGND does nothing).
#include "drawobj.h"
#include "memdc.h"
#include "picrunwnd.h"

namespace {
// BeginPaint/EndPaint for the length of one paint.
class CPaintScope : public CDC {
 public:
  explicit CPaintScope(HWND hwnd) : m_hwnd(hwnd) { Attach(::BeginPaint(hwnd, &m_ps)); }
  ~CPaintScope() override {
    Detach();
    ::EndPaint(m_hwnd, &m_ps);
  }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_ps = {};
};
}  // namespace

void CPicRunWnd::OnPaint() {
  CPaintScope dc(m_hWnd);
  if (!dc.m_hDC) return;
  if (!m_picture) {
    CMemDC surface(&dc);  // filled with the paint context's background colour
    return;
  }
  const COLORREF previous = dc.SetBkColor(m_picture->m_clrBack);
  {
    CMemDC surface(&dc);
    ForEachObject([&](CDrawObj* obj, CPicLayer*) { obj->Draw(&surface, 0); });
  }
  dc.SetBkColor(previous);
}
