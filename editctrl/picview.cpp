// The editing window's view: coordinate mapping, the snap grid, scroll
// ranges and bars, the wheel, zoom and resizing.
#include <algorithm>

#include "drawobj.h"
#include "layerwalk.h"
#include "piceditwnd.h"
#include "picobj.h"
#include "picviewmap.h"

namespace {

using qelview::kLineStep;
constexpr int kWheelStep = 64;  // pixels per wheel message, whatever its delta

}  // namespace

// ---- mapping ------------------------------------------------------------------

CPointD CPicEditWnd::ClientToPic(POINT pt) const { return qelview::DeviceToPicture(pt, m_ptOrigin, m_dZoom); }

POINT CPicEditWnd::ClientToPicPoint(POINT pt) const {
  const CPointD pic = ClientToPic(pt);
  return {RoundCoord(pic.x), RoundCoord(pic.y)};
}

POINT CPicEditWnd::PicToClientPoint(POINT pt) const {
  return ViewTransform{m_dZoom, m_ptOrigin.x, m_ptOrigin.y}.ToDevicePoint(CPointD(pt));
}

RECT CPicEditWnd::ClientToPicRect(const RECT& rc) const {
  POINT tl = ClientToPicPoint({rc.left, rc.top});
  POINT br = ClientToPicPoint({rc.right, rc.bottom});
  return {tl.x, tl.y, br.x, br.y};
}

// ---- snapping -------------------------------------------------------------------

int SnapCoord(double v) {
  int whole = TruncCoord(v);
  int rest = whole % CPicEditWnd::kGridStep;  // carries the sign of whole
  int down = whole - rest;
  return rest < 5 ? down : down + CPicEditWnd::kGridStep;
}

void CPicEditWnd::SnapToGrid(CPointD& pt) const {
  if (!m_bSnap) return;
  pt.x = SnapCoord(pt.x);
  pt.y = SnapCoord(pt.y);
}

void CPicEditWnd::SnapClientPoint(POINT& pt) const {
  if (!m_bSnap) return;
  CPointD pic = ClientToPic(pt);
  SnapToGrid(pic);
  pt = PicToClientPoint(TruncatedPoint(pic));
}

void CPicEditWnd::OnSnapGrid(LPARAM on) {
  m_bSnap = on ? 1 : 0;
  Invalidate(TRUE);
}

// ---- scroll ranges ----------------------------------------------------------------

void CPicEditWnd::UpdateScrollRanges() {
  if (!m_pPicture || m_bUpdatingRanges) return;
  m_bUpdatingRanges = true;
  m_szRange = {qelview::ScrollRangeOf(m_pPicture->m_nWidth, m_dZoom),
               qelview::ScrollRangeOf(m_pPicture->m_nHeight, m_dZoom)};
  m_szPage = qelview::LayOutScrollBars(m_hWnd, m_szRange, m_ptOrigin);
  m_bUpdatingRanges = false;
}

// ---- applying a view change ---------------------------------------------------------

void CPicEditWnd::FillViewInfo() { m_viewInfo = qelview::ViewInfoOf(m_ptOrigin, m_dZoom, m_nZoomPercent); }

void CPicEditWnd::SetObjectsViewTransform() {
  if (!m_pPicture) return;
  ForEachVisibleObject(*m_pPicture, [&](CDrawObj* obj) { obj->SetViewTransform(m_ptOrigin, m_dZoom); });
}

void CPicEditWnd::ApplyViewChange() {
  FillViewInfo();
  SetObjectsViewTransform();
  Invalidate(FALSE);
  RepositionControls();
  NotifyViewChanged();
}

void CPicEditWnd::RepositionControls(bool selectedOnly) {
  if (!m_pPicture) return;
  std::vector<CDrawObj*> objects;
  if (selectedOnly)
    objects = m_selection;
  else
    ForEachVisibleObject(*m_pPicture, [&](CDrawObj* obj) { objects.push_back(obj); });
  int count = 0;
  for (CDrawObj* obj : objects) obj->CountWindows(count);
  if (count < 1) return;
  HDWP batch = ::BeginDeferWindowPos(count);
  for (CDrawObj* obj : objects)
    if (batch) obj->DeferWindowPos(batch);
  if (batch) ::EndDeferWindowPos(batch);
}

// ---- scrolling --------------------------------------------------------------------

bool CPicEditWnd::ScrollTo(int bar, int origin) {
  bool horizontal = bar == SB_HORZ;
  int range = horizontal ? m_szRange.cx : m_szRange.cy;
  int page = horizontal ? m_szPage.cx : m_szPage.cy;
  origin = std::max(0, std::min(origin, range - page));
  LONG& current = horizontal ? m_ptOrigin.x : m_ptOrigin.y;
  if (origin == current) return false;
  current = origin;
  SetScrollPos(bar, origin, TRUE);
  ApplyViewChange();
  return true;
}

void CPicEditWnd::OnScroll(int bar, UINT request) {
  if (!m_pPicture) return;
  bool horizontal = bar == SB_HORZ;
  int origin = horizontal ? m_ptOrigin.x : m_ptOrigin.y;
  int range = horizontal ? m_szRange.cx : m_szRange.cy;
  int page = horizontal ? m_szPage.cx : m_szPage.cy;
  int target;
  switch (request) {
    case SB_LINEUP: target = origin - kLineStep; break;
    case SB_LINEDOWN: target = origin + kLineStep; break;
    case SB_PAGEUP: target = origin - page; break;
    case SB_PAGEDOWN: target = origin + page; break;
    case SB_THUMBTRACK: {
      SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      if (!GetScrollInfo(bar, &info, SIF_TRACKPOS)) return;
      target = info.nTrackPos;
      break;
    }
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = range - page; break;
    default: return;  // thumb released, end of scroll
  }
  ScrollTo(bar, target);
}

LRESULT CPicEditWnd::OnMouseWheel(short delta) {
  if (delta == 0 || !m_pPicture || m_szRange.cy <= m_szPage.cy) return 1;
  // One step per message: a fast wheel's large delta does not jump further.
  ScrollTo(SB_VERT, m_ptOrigin.y + (delta > 0 ? -kWheelStep : kWheelStep));
  return 1;
}

// ---- zoom and size ----------------------------------------------------------------

LRESULT CPicEditWnd::OnZoom(int percent) {
  // A zoom of 0 or less would divide by zero in every mapping: ignored.
  if (!m_pPicture || percent <= 0) return 0;
  m_dZoom = percent * 0.01;
  m_nZoomPercent = percent;
  UpdateScrollRanges();
  ApplyViewChange();
  return 0;
}

void CPicEditWnd::OnSize(UINT type) {
  if (type == SIZE_MINIMIZED || m_bUpdatingRanges) return;
  if (type != SIZE_RESTORED && type != SIZE_MAXIMIZED && type != SIZE_MAXSHOW) return;
  UpdateScrollRanges();
  ApplyViewChange();
}
