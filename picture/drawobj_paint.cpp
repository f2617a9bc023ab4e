// CDrawObj: handle squares, the selection frame, the solid ellipse, and what
// every drawing shares: its paint key, its reach and the clip test.
#include "drawobj.h"

#include "knownclip.h"
#include "trackerframe.h"

PaintKey CDrawObj::BasePaintKey() const {
  PaintKey key;
  key.AddView(m_view)
      .Add(m_clrLine)
      .Add(m_clrText)
      .Add(m_nLineWidth)
      .Add(m_nLineStyle)
      .Add(m_nFillStyle)
      .Add(m_clrFill1)
      .Add(m_clrFill2)
      .Add(m_nPerFillDir);
  if (m_nPerFillDir != -1) key.Add(m_dPerFill).Add(m_clrPerFill);
  return key;
}

RECT CDrawObj::DeviceReach(const CPointD* pts, size_t n, int nGrow) const {
  if (n == 0) return RECT{0, 0, 0, 0};
  // The box grows point by point, with no copy of the points: every object
  // works its reach out on every paint, also when it is then skipped.
  CRectD box = PointBox(m_view.ToDevice(pts[0]));
  for (size_t i = 1; i < n; ++i) GrowBox(box, m_view.ToDevice(pts[i]));
  return EnclosingRect(box, nGrow);
}

bool CDrawObj::MeetsClip(CDC* pDC, const RECT& reach) {
  RECT clip;
  int kind;
  if (const RECT* known = CKnownClipBox::Of(*pDC)) {
    clip = *known;
    kind = ::IsRectEmpty(&clip) ? NULLREGION : SIMPLEREGION;
  } else {
    kind = ::GetClipBox(*pDC, &clip);
  }
  if (kind == ERROR) return true;
  if (kind == NULLREGION) return false;
  RECT common;
  return ::IntersectRect(&common, &clip, &reach) != FALSE;
}

void CDrawObj::DrawTracker(CDC* pDC, int nState) {
  if (nState != 1 && nState != 2) return;
  for (int h = 1; h <= GetHandleCount(); ++h) {
    const CPointD handle = GetHandle(h);
    if (!IsFinite(handle)) continue;
    POINT pt = DevicePointRounded(handle);
    RECT r = {pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3};
    pDC->InvertRect(r);
  }
}

RECT CDrawObj::SelFrameRect(CRectD r) const {
  r.Normalize();
  RECT frame = m_view.ToDevice(r).ToRect();
  ::InflateRect(&frame, 2, 2);
  return frame;
}

void CDrawObj::DrawSelFrame(CDC* pDC) {
  const CRectD r = GetRect();
  if (!r.IsFinite()) return;
  DrawTrackerFramePair(pDC, SelFrameRect(r));
}

void CDrawObj::DrawSolidEllipse(CDC* pDC, const RECT& rect, COLORREF c) {
  CPen pen;
  CBrush brush;
  if (!pen.CreatePen(PS_SOLID, 0, c) || !brush.CreateSolidBrush(c)) return;
  CSelectGdi selPen(*pDC, pen);
  CSelectGdi selBrush(*pDC, brush);
  pDC->Ellipse(rect);
}
