// Painting the editing window: through a memory surface over the area to
// paint, the picture's background, the grid dots, every object of the visible
// layers and the handles of the selected objects.
#include <algorithm>
#include <memory>
#include <vector>

#include "dibsurface.h"
#include "drawbitmap.h"
#include "drawellipse.h"
#include "drawmtext.h"
#include "drawobj.h"
#include "drawrect.h"
#include "gdiwrap.h"
#include "inversecolor.h"
#include "layerwalk.h"
#include "memdc.h"
#include "paintcover.h"
#include "picgrid.h"
#include "piceditwnd.h"
#include "picobj.h"

void CPicEditWnd::DrawGrid(CDC& dc, const RECT& area) const {
  // Only the dots inside the area to paint: a picture of tens of millions of
  // pixels a side must not be walked dot by dot.
  DrawGridDots(dc, area, SIZE{m_pPicture->m_nWidth, m_pPicture->m_nHeight}, kGridStep, m_dZoom, m_ptOrigin,
               InverseColor(m_pPicture->m_clrBack));
}

namespace {

// The kinds whose handles are the rectangle's solid squares and nothing else.
const CRuntimeClass* const kRectHandleClasses[] = {RUNTIME_CLASS(CDrawRect), RUNTIME_CLASS(CDrawEllipse),
                                                   RUNTIME_CLASS(CDrawBitmap), RUNTIME_CLASS(CDrawMtext)};

CDrawRect* WithRectHandles(CDrawObj* obj) {
  for (const CRuntimeClass* cls : kRectHandleClasses)
    if (obj->GetRuntimeClass() == cls) return static_cast<CDrawRect*>(obj);
  return nullptr;
}

// From this many fills in a row on, they are composed in memory and drawn
// in one go.
constexpr size_t kComposedFills = 256;

// The pixel of a 32-bit DIB for a colour, opaque.
DWORD OpaquePixel(COLORREF c) {
  return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// Draws the fills in turn, clipped to the area. The squares are opaque:
// painted one over another in memory and laid over the surface in one blend
// (untouched pixels fully transparent), they leave the very pixels that
// drawing each in turn leaves, for one call of the platform instead of
// three per square.
void DrawFills(CDC& dc, const RECT& area, const HandleFill* fills, size_t count) {
  RECT box = {0, 0, 0, 0}, part;
  for (size_t i = 0; i < count; ++i) ::UnionRect(&box, &box, &fills[i].rect);
  if (!::IntersectRect(&box, &box, &area)) return;
  const int w = box.right - box.left, h = box.bottom - box.top;
  std::unique_ptr<CDibSurface> surface;
  if (count >= kComposedFills) surface.reset(new CDibSurface(dc.m_hDC, w, h));
  if (!surface || !surface->IsValid()) {
    for (size_t i = 0; i < count; ++i) dc.FillSolidRect(fills[i].rect, fills[i].colour);
    return;
  }
  ::GdiFlush();
  for (size_t i = 0; i < count; ++i) {
    if (!::IntersectRect(&part, &fills[i].rect, &box)) continue;
    const DWORD pixel = OpaquePixel(fills[i].colour);
    for (LONG y = part.top; y < part.bottom; ++y) {
      DWORD* row = surface->bits() + static_cast<size_t>(y - box.top) * w - box.left;
      std::fill(row + part.left, row + part.right, pixel);
    }
  }
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::GdiAlphaBlend(dc.m_hDC, box.left, box.top, w, h, surface->dc(), 0, 0, w, h, blend);
}

// What one selected object draws of its handles: its fills (a range of the
// paint's fills, which follow one another), or its own drawing.
struct TrackerPart {
  CDrawObj* obj;
  size_t first;
  size_t count;
  bool ownDrawing;
};

}  // namespace

void CPicEditWnd::DrawTrackers(CDC& dc, const RECT& area) {
  // Only the handles of objects that reach into the painted area (an
  // object's area holds its handles, since selecting it repaints that area),
  // and the rectangles' squares composed in memory: twenty thousand selected
  // rectangles made 360,000 fills, a million calls of the platform, for one
  // paint.
  std::vector<TrackerPart> parts;
  std::vector<HandleFill> fills;
  for (CDrawObj* obj : m_selection) {
    RECT reach = obj->GetInvalidRect(), common;
    if (!::IntersectRect(&common, &reach, &area)) continue;
    CDrawRect* rect = WithRectHandles(obj);
    const size_t first = fills.size();
    if (rect) rect->AppendTrackerFills(fills);
    parts.push_back(TrackerPart{obj, first, fills.size() - first, rect == nullptr});
  }
  // The squares of consecutive rectangles go out together; an object that
  // draws its own handles comes in its turn between them.
  size_t pending = 0, pendingCount = 0;
  for (const TrackerPart& part : parts) {
    if (!part.ownDrawing) {
      if (pendingCount == 0) pending = part.first;
      pendingCount += part.count;
      continue;
    }
    DrawFills(dc, area, fills.data() + pending, pendingCount);
    pendingCount = 0;
    part.obj->DrawTracker(&dc, 1);
  }
  DrawFills(dc, area, fills.data() + pending, pendingCount);
}

void CPicEditWnd::OnPaint() {
  CPaintDC output(m_hWnd);
  if (!m_pPicture || !output.m_hDC) return;
  COLORREF oldBack = output.SetBkColor(m_pPicture->m_clrBack);
  {
    CMemDC surface(&output);  // filled with the background colour; copied out when it goes
    // Objects that a later one hides are left out, and so is the grid
    // under them (CCoverCut).
    std::vector<CDrawObj*> objects;
    ForEachVisibleObject(*m_pPicture, [&](CDrawObj* obj) { objects.push_back(obj); });
    const CCoverCut cut(surface, objects);
    if (m_bSnap && !cut.HidesBackground()) DrawGrid(surface, surface.GetArea());
    for (size_t i = 0; i < objects.size(); ++i)
      if (cut.Draws(i, objects[i])) objects[i]->Draw(&surface, 0);
    DrawTrackers(surface, surface.GetArea());
  }
  output.SetBkColor(oldBack);
}
