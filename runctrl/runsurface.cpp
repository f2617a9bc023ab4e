#include "runsurface.h"

#include <algorithm>

bool CRunSurface::Fit(CDC& output, SIZE client, const RECT& area) {
  // Room for the client area and for the painted area, at least one pixel.
  const SIZE need = {std::max({client.cx, area.right, 1L}), std::max({client.cy, area.bottom, 1L})};
  if (m_dc.GetSafeHdc() && need.cx <= m_size.cx && need.cy <= m_size.cy) return true;
  if (!m_dc.GetSafeHdc()) {
    if (!m_dc.CreateCompatibleDC(&output)) return false;
    m_firstBitmap = ::GetCurrentObject(m_dc, OBJ_BITMAP);
  }
  m_dc.SelectObject(m_firstBitmap);  // the old bitmap must not be selected when it goes
  m_size = {0, 0};
  if (!m_bitmap.CreateCompatibleBitmap(&output, need.cx, need.cy)) return false;
  m_dc.SelectObject(m_bitmap);
  m_size = need;
  return true;
}

CDC* CRunSurface::Begin(CDC& output, SIZE client, const RECT& area, COLORREF background) {
  if (area.left < 0 || area.top < 0 || !Fit(output, client, area)) return nullptr;
  m_area = area;
  m_saved = m_dc.SaveDC();
  ::IntersectClipRect(m_dc, area.left, area.top, area.right, area.bottom);
  m_dc.FillSolidRect(area, background);
  m_plainColours.emplace(m_dc);
  m_knownClip.emplace(m_dc, area);
  m_pass.emplace();
  return &m_dc;
}

void CRunSurface::End(CDC& output) {
  // Restored first: what an object left changed does not move the copy.
  m_pass.reset();
  m_knownClip.reset();
  m_plainColours.reset();
  m_dc.RestoreDC(m_saved);
  output.BitBlt(m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, &m_dc,
                m_area.left, m_area.top, SRCCOPY);
}
