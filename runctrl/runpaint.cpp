// Painting through the window's kept memory surface over the clip box, so
// animation does not flicker; the background is filled by the surface
// (WM_ERASEBKGND does nothing).
#include <vector>

#include "drawobj.h"
#include "gdiwrap.h"
#include "paintcover.h"
#include "picrunwnd.h"

void CPicRunWnd::OnPaint() {
  CPaintDC dc(m_hWnd);
  if (!dc.m_hDC) return;
  RECT area;
  dc.GetClipBox(&area);
  Paint(dc, area);
}

void CPicRunWnd::OnPrintClient(HDC target) {
  CDC dc(target);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  Paint(dc, client);
}

void CPicRunWnd::Paint(CDC& dc, const RECT& area) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // Without a picture only the paint context's background colour is painted.
  const COLORREF background = m_picture ? m_picture->m_clrBack : dc.GetBkColor();
  CDC* surface = m_surface.Begin(dc, SIZE{client.right, client.bottom}, area, background);
  if (!surface) return;
  // Objects that a later one hides are left out (CCoverCut).
  std::vector<CDrawObj*> objects;
  ForEachObject([&](CDrawObj* obj, CPicLayer*) { objects.push_back(obj); });
  const CCoverCut cut(*surface, objects);
  for (size_t i = 0; i < objects.size(); ++i)
    if (cut.Draws(i, objects[i])) objects[i]->Draw(surface, 0);
  m_surface.End(dc);
}
