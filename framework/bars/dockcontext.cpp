#include "bars/dockcontext.h"

#include <algorithm>

#include "bars/controlbar.h"
#include "bars/dockbar.h"
#include "commands/cmdids.h"
#include "frames/frame.h"
#include "bars/trackdraw.h"

namespace {

const int kThinOutline = 1;
const int kThickOutline = 3;

struct Side {
  UINT id;
  DWORD align;
};
const Side kSides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                       {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                       {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                       {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};

// The strip along one edge of rect.
RECT EdgeStrip(const RECT& r, DWORD align, int width) {
  RECT strip = r;
  switch (align) {
    case CBRS_ALIGN_TOP: strip.bottom = r.top + width; break;
    case CBRS_ALIGN_BOTTOM: strip.top = r.bottom - width; break;
    case CBRS_ALIGN_LEFT: strip.right = r.left + width; break;
    default: strip.left = r.right - width; break;
  }
  return strip;
}

}  // namespace

CDockContext::CDockContext(CControlBar* bar) : m_pBar(bar), m_pFrame(bar->m_pDockSite) {}

UINT CDockContext::TargetAt(POINT pt, RECT* outline) const {
  for (const Side& side : kSides) {
    CDockBar* dock = m_pFrame->GetDockBar(side.id);
    if (!dock || !(m_pBar->m_dwDockStyle & side.align)) continue;
    // The dock bar (laid out even while empty, then without thickness) and
    // a strip beside it toward the client area.
    RECT zone;
    dock->GetWindowRect(&zone);
    switch (side.align) {
      case CBRS_ALIGN_TOP: zone.bottom += kDockZone; break;
      case CBRS_ALIGN_BOTTOM: zone.top -= kDockZone; break;
      case CBRS_ALIGN_LEFT: zone.right += kDockZone; break;
      default: zone.left -= kDockZone; break;
    }
    if (!::PtInRect(&zone, pt)) continue;
    bool horz = side.align == CBRS_ALIGN_TOP || side.align == CBRS_ALIGN_BOTTOM;
    SIZE size = m_pBar->CalcFixedLayout(FALSE, horz);
    RECT docked;
    dock->GetWindowRect(&docked);
    RECT r = EdgeStrip(docked, side.align, horz ? size.cy : size.cx);
    if (!m_pBar->IsStretchable()) {
      // A toolbar stands where the mouse holds it, along the side.
      if (horz) {
        r.left = std::max(docked.left, pt.x - m_offset.x);
        r.right = r.left + size.cx;
      } else {
        r.top = std::max(docked.top, pt.y - m_offset.y);
        r.bottom = r.top + size.cy;
      }
    }
    *outline = r;
    return side.id;
  }
  SIZE size = m_pBar->CalcFloatingSize();
  *outline =
      RECT{pt.x - m_offset.x, pt.y - m_offset.y, pt.x - m_offset.x + size.cx, pt.y - m_offset.y + size.cy};
  return 0;
}

void CDockContext::DrawOutline(const RECT& r, bool thick) const {
  int width = thick ? kThickOutline : kThinOutline;
  QelInvertTrackingRect(RECT{r.left, r.top, r.right, r.top + width});
  QelInvertTrackingRect(RECT{r.left, r.bottom - width, r.right, r.bottom});
  QelInvertTrackingRect(RECT{r.left, r.top + width, r.left + width, r.bottom - width});
  QelInvertTrackingRect(RECT{r.right - width, r.top + width, r.right, r.bottom - width});
}

void CDockContext::Place(UINT target, const RECT& outline) const {
  if (target)
    m_pFrame->DockControlBar(m_pBar, target);
  else
    m_pFrame->FloatControlBar(m_pBar, POINT{outline.left, outline.top});
}

BOOL CDockContext::Track(POINT start) {
  if (!m_pFrame) return FALSE;
  RECT bar;
  m_pBar->GetWindowRect(&bar);
  m_offset = {start.x - bar.left, start.y - bar.top};
  HWND capture = m_pBar->m_hWnd;
  ::SetCapture(capture);
  RECT outline;
  UINT target = TargetAt(start, &outline);
  DrawOutline(outline, target == 0);
  MSG msg;
  BOOL placed = FALSE;
  while (::GetCapture() == capture) {
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      // Where the mouse is: the message's own point, in the capturing window's terms.
      POINT at = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ::ClientToScreen(msg.hwnd, &at);
      DrawOutline(outline, target == 0);
      target = TargetAt(at, &outline);
      if (msg.message == WM_LBUTTONUP) {
        ::ReleaseCapture();
        Place(target, outline);
        return TRUE;
      }
      DrawOutline(outline, target == 0);
      continue;
    }
    if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) break;
    ::DispatchMessageA(&msg);
  }
  DrawOutline(outline, target == 0);
  if (::GetCapture() == capture) ::ReleaseCapture();
  return placed;
}
