// Painting the editing window: through a memory surface over the area to
// paint, the picture's background, the grid dots, every object of the visible
// layers and the handles of the selected objects.
#include "drawobj.h"
#include "gdiwrap.h"
#include "inversecolor.h"
#include "layerwalk.h"
#include "memdc.h"
#include "picgrid.h"
#include "piceditwnd.h"
#include "picobj.h"

void CPicEditWnd::DrawGrid(CDC& dc, const RECT& area) const {
  // Only the dots inside the area to paint: a picture of tens of millions of
  // pixels a side must not be walked dot by dot.
  DrawGridDots(dc, area, SIZE{m_pPicture->m_nWidth, m_pPicture->m_nHeight}, kGridStep, m_dZoom,
               m_ptOrigin, InverseColor(m_pPicture->m_clrBack));
}

void CPicEditWnd::DrawTrackers(CDC& dc, const RECT& area) {
  // Only the handles of objects that reach into the painted area: each
  // handle is a few calls of the platform, and a selection of twenty
  // thousand objects made a paint of a small part of the window cost seconds.
  // An object's area holds its handles, since selecting it repaints that area.
  for (CDrawObj* obj : m_selection) {
    RECT reach = obj->GetInvalidRect(), common;
    if (::IntersectRect(&common, &reach, &area)) obj->DrawTracker(&dc, 1);
  }
}

void CPicEditWnd::OnPaint() {
  CPaintDC output(m_hWnd);
  if (!m_pPicture || !output.m_hDC) return;
  COLORREF oldBack = output.SetBkColor(m_pPicture->m_clrBack);
  {
    CMemDC surface(&output);  // filled with the background colour; copied out when it goes
    if (m_bSnap) DrawGrid(surface, surface.GetArea());
    ForEachVisibleObject(*m_pPicture, [&](CDrawObj* obj) { obj->Draw(&surface, 0); });
    DrawTrackers(surface, surface.GetArea());
  }
  output.SetBkColor(oldBack);
}
