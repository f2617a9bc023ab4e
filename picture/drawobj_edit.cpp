// CDrawObj: handles, hit testing, moving and resizing, invalid areas.
#include "drawobj.h"

namespace {

// Base objects offer the eight handles of their bounding rectangle. (A
// ninth would sit at the picture origin and catch clicks meant for whatever
// lies there.)
constexpr int kBaseHandleCount = 8;
constexpr double kFrameHitHalfWidth = 3.0;

}  // namespace

CPointD RectHandle(const CRectD& r, int nHandle) {
  double cx = r.left + (r.right - r.left) * 0.5;
  double cy = r.top + (r.bottom - r.top) * 0.5;
  switch (nHandle) {
    case 1: return CPointD(r.left, r.top);
    case 2: return CPointD(cx, r.top);
    case 3: return CPointD(r.right, r.top);
    case 4: return CPointD(r.right, cy);
    case 5: return CPointD(r.right, r.bottom);
    case 6: return CPointD(cx, r.bottom);
    case 7: return CPointD(r.left, r.bottom);
    case 8: return CPointD(r.left, cy);
    default: return CPointD();
  }
}

bool MoveRectHandle(CRectD& r, int nHandle, const CPointD& point) {
  switch (nHandle) {
    case 1:
      r.left = point.x;
      r.top = point.y;
      return true;
    case 2: r.top = point.y; return true;
    case 3:
      r.right = point.x;
      r.top = point.y;
      return true;
    case 4: r.right = point.x; return true;
    case 5:
      r.right = point.x;
      r.bottom = point.y;
      return true;
    case 6: r.bottom = point.y; return true;
    case 7:
      r.left = point.x;
      r.bottom = point.y;
      return true;
    case 8: r.left = point.x; return true;
    default: return false;
  }
}

HCURSOR BaseHandleCursor(int nHandle) {
  LPCSTR id;
  switch (nHandle) {
    case 1:
    case 5: id = IDC_SIZENWSE; break;
    case 2:
    case 6: id = IDC_SIZENS; break;
    case 3:
    case 7: id = IDC_SIZENESW; break;
    case 4:
    case 8: id = IDC_SIZEWE; break;
    default: id = (nHandle == 9 || nHandle >= 100) ? IDC_HAND : IDC_SIZEALL; break;
  }
  return ::LoadCursorA(nullptr, id);
}

POINT CDrawObj::DevicePointTruncated(const CPointD& p) const {
  POINT pt = {TruncCoord(m_view.ToDeviceX(p.x)), TruncCoord(m_view.ToDeviceY(p.y))};
  return pt;
}

BOOL CDrawObj::IsInRect(const CRectD& rect) {
  CRectD mine = GetRect();
  CRectD outer = rect;
  mine.Normalize();
  outer.Normalize();
  return mine.left > outer.left && mine.top > outer.top && mine.right < outer.right &&
         mine.bottom < outer.bottom;
}

int CDrawObj::GetHandleCount() { return kBaseHandleCount; }

CPointD CDrawObj::GetHandle(int nHandle) { return RectHandle(m_rect, nHandle); }

HCURSOR CDrawObj::GetHandleCursor(int nHandle) { return BaseHandleCursor(nHandle); }

RECT CDrawObj::GetHandleRect(int nHandle) {
  POINT pt = DevicePointTruncated(GetHandle(nHandle));
  RECT r = {pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3};
  return r;
}

BOOL CDrawObj::HandleContains(int nHandle, POINT ptDevice) {
  RECT r = GetHandleRect(nHandle);
  if (m_view.zoom > 2.0) {
    int grow = static_cast<int>(m_view.zoom);
    ::InflateRect(&r, grow, grow);
  }
  return ::PtInRect(&r, ptDevice);
}

int CDrawObj::HitTest(const CPointD& point, CDrawObj** ppHit) {
  POINT pt = DevicePointRounded(point);
  for (int h = 1; h <= GetHandleCount(); ++h) {
    if (HandleContains(h, pt)) {
      if (ppHit) *ppHit = this;
      return h;
    }
  }
  const CRectD& r = m_rect;
  const CPointD corners[5] = {CPointD(r.left, r.top), CPointD(r.right, r.top), CPointD(r.right, r.bottom),
                              CPointD(r.left, r.bottom), CPointD(r.left, r.top)};
  for (int side = 0; side < 4; ++side) {
    if (SegmentBandTest(corners[side], corners[side + 1], point, kFrameHitHalfWidth) == 0) {
      if (ppHit) *ppHit = this;
      return 0;
    }
  }
  return -1;
}

int CDrawObj::HitTestChild(const CPointD& point, CDrawObj** ppHit) { return HitTest(point, ppHit); }

void CDrawObj::MoveHandleTo(int& nHandle, const CPointD& point, HWND hView) {
  CRectD r = m_rect;
  if (!MoveRectHandle(r, nHandle, point)) return;
  InvalidateIn(hView);
  m_rect = r;
  InvalidateIn(hView);
}

void CDrawObj::InvalidateIn(HWND hView) {
  if (!hView) return;
  RECT r = GetInvalidRect();
  ::InvalidateRect(hView, &r, FALSE);
}

RECT CDrawObj::InvalidRectOf(CRectD r, int nGrow) const {
  CRectD device = m_view.ToDevice(r);
  device.Normalize();
  RECT rc = device.ToRect();
  ::InflateRect(&rc, nGrow, nGrow);
  return rc;
}

RECT CDrawObj::GetInvalidRect() { return InvalidRectOf(m_rect); }

void CDrawObj::MoveBy(const CPointD& offset) {
  if (offset.x == 0.0 && offset.y == 0.0) return;
  m_rect.left += offset.x;
  m_rect.right += offset.x;
  m_rect.top += offset.y;
  m_rect.bottom += offset.y;
}

void CDrawObj::Scale(const CPointD& anchor, double f) {
  double width = m_rect.right - m_rect.left;
  double height = m_rect.bottom - m_rect.top;
  m_rect.left = (m_rect.left - anchor.x) * f + anchor.x;
  m_rect.top = (m_rect.top - anchor.y) * f + anchor.y;
  m_rect.right = m_rect.left + (width < 0 ? -width : width) * f;
  m_rect.bottom = m_rect.top + (height < 0 ? -height : height) * f;
}
