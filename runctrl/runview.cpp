// Scrolling, resizing and zoom: the mapping between the window and the
// picture (device = picture x zoom - origin), and the notice of the view.
#include <algorithm>

#include "drawobj.h"
#include "picrunwnd.h"
#include "../editctrl/picviewmap.h"
#include "wnddefer.h"

namespace {
using qelview::kLineStep;

struct BarState {
  int rangeEnd;
  int page;
};

BarState ReadBar(HWND hwnd, int bar) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  ::GetScrollInfo(hwnd, bar, &info);
  return {info.nMax, static_cast<int>(info.nPage)};
}
}  // namespace

CPointD CPicRunWnd::ClientToPic(POINT device) const {
  return qelview::DeviceToPicture(device, m_origin, m_zoom);
}

void CPicRunWnd::UpdateScrollRanges() {
  if (!m_picture || m_layingBars) return;
  m_layingBars = true;
  const SIZE ranges = {qelview::ScrollRangeOf(m_picture->m_nWidth, m_zoom),
                       qelview::ScrollRangeOf(m_picture->m_nHeight, m_zoom)};
  qelview::LayOutScrollBars(m_hWnd, ranges, m_origin);
  m_layingBars = false;
}

void CPicRunWnd::OnSize(UINT type) {
  // A bar shown or hidden while the bars are laid out resizes the window;
  // the layout settles the pages itself.
  if (m_layingBars) return;
  if (type != SIZE_RESTORED && type != SIZE_MAXIMIZED && type != SIZE_MAXSHOW) return;
  UpdateScrollRanges();  // with a picture only
  ApplyView(static_cast<LONG>(m_zoom * 100));
}

void CPicRunWnd::OnScroll(int bar, int code) {
  if (!m_picture) return;
  const BarState state = ReadBar(m_hWnd, bar);
  const int last = std::max(state.rangeEnd - state.page, 0);
  LONG& origin = bar == SB_HORZ ? m_origin.x : m_origin.y;
  int next = origin;
  switch (code) {
    case SB_LINEUP: next = std::max(origin - kLineStep, 0L); break;
    case SB_LINEDOWN: next = std::min<LONG>(origin + kLineStep, last); break;
    case SB_PAGEUP: next = std::max<LONG>(origin - state.page, 0); break;
    case SB_PAGEDOWN: next = std::min<LONG>(origin + state.page, last); break;
    case SB_THUMBTRACK: {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(m_hWnd, bar, &info);
      next = info.nTrackPos;
      break;
    }
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = last; break;
    default: return;  // thumb released, end of scroll
  }
  if (next == origin) return;
  origin = next;
  SetScrollPos(bar, origin, TRUE);
  ApplyView(static_cast<LONG>(m_zoom * 100));
}

LRESULT CPicRunWnd::OnZoom(int percent) {
  // A zoom of 0 or less would divide every mapping by zero or mirror it.
  if (!m_picture || percent <= 0) return 0;
  m_zoom = percent * 0.01;
  UpdateScrollRanges();
  ApplyView(percent);
  return 0;
}

void CPicRunWnd::ApplyView(LONG zoomPercent) {
  const POINT origin = {m_origin.x, m_origin.y};
  ForEachObject([&](CDrawObj* obj, CPicLayer* layer) {
    if (layer->m_bVisible) obj->SetViewTransform(origin, m_zoom);
  });
  Invalidate(FALSE);
  RepositionControls();
  SendViewChanged(zoomPercent);
}

void CPicRunWnd::RepositionControls() {
  int count = 0;
  ForEachObject([&](CDrawObj* obj, CPicLayer* layer) {
    if (layer->m_bVisible) obj->CountWindows(count);
  });
  if (count < 1) return;
  CDeferWindowPos batch(count);
  HDWP hdwp = batch.Handle();
  ForEachObject([&](CDrawObj* obj, CPicLayer* layer) {
    if (layer->m_bVisible && hdwp) obj->DeferWindowPos(hdwp);
  });
  batch.Update(hdwp);
}

void CPicRunWnd::SendViewChanged(LONG zoomPercent) {
  m_viewInfo = qelview::ViewInfoOf(m_origin, m_zoom, zoomPercent);
  SendMessageToParent(QCN_VIEWCHANGED, static_cast<WPARAM>(GetDlgCtrlID()),
                      reinterpret_cast<LPARAM>(&m_viewInfo));
}
