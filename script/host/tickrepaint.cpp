#include "tickrepaint.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <tuple>

#include "gdiwrap.h"
#include "tickscope.h"

namespace {

// The area that the platform invalidates for r: a rectangle given with its
// corners the other way round covers the same pixels.
RECT Normalized(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

bool Inside(const RECT& r, const RECT& outer) {
  return r.left >= outer.left && r.top >= outer.top && r.right <= outer.right && r.bottom <= outer.bottom;
}

bool Before(const RECT& a, const RECT& b) {
  return std::tie(a.top, a.left, a.bottom, a.right) < std::tie(b.top, b.left, b.bottom, b.right);
}

bool Same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// One region of all the rectangles (at least one); null when none can be had.
HRGN RegionOf(const std::vector<RECT>& rects) {
  std::vector<BYTE> data;
  try {
    data.resize(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(rects.size());
  header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  RECT bound = rects.front();
  for (const RECT& r : rects) ::UnionRect(&bound, &bound, &r);
  header->rcBound = bound;
  std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

}  // namespace

void CTickRepaint::Invalidate(HWND hWnd, const RECT& r) {
  if (CTickScope* tick = CTickScope::Of(hWnd)) {
    // Memory that cannot be had must not lose the repaint: it is made at once.
    try {
      tick->Repaint().m_rects.push_back(r);
      return;
    } catch (const std::bad_alloc&) {
    }
  }
  ::InvalidateRect(hWnd, &r, TRUE);
}

void CTickRepaint::Flush(HWND hWnd, const RECT& dirty) {
  // Only areas that add pixels to the dirty rectangle stay: empty ones,
  // repeats (MoveTo of an object that did not move asks twice for the same
  // area) and those inside the dirty rectangle add none.
  const bool hasDirty = !::IsRectEmpty(&dirty);
  for (RECT& r : m_rects) r = Normalized(r);
  m_rects.erase(
      std::remove_if(m_rects.begin(), m_rects.end(),
                     [&](const RECT& r) { return ::IsRectEmpty(&r) || (hasDirty && Inside(r, dirty)); }),
      m_rects.end());
  std::sort(m_rects.begin(), m_rects.end(), Before);
  m_rects.erase(std::unique(m_rects.begin(), m_rects.end(), Same), m_rects.end());

  if (m_rects.empty()) {
    if (hasDirty) ::InvalidateRect(hWnd, &dirty, TRUE);
    return;
  }
  if (hasDirty) m_rects.push_back(dirty);
  if (m_rects.size() == 1) {
    ::InvalidateRect(hWnd, &m_rects.front(), TRUE);
  } else {
    CRgn area;
    area.Attach(RegionOf(m_rects));
    if (area.GetSafeHandle())
      ::InvalidateRgn(hWnd, area, TRUE);
    else
      for (const RECT& r : m_rects) ::InvalidateRect(hWnd, &r, TRUE);  // no region to be had
  }
  m_rects.clear();
}
