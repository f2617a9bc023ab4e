// CFrameWnd: control bars, docking and the layout of the client area.
#include <algorithm>

#include "bars/controlbar.h"
#include "bars/dockbar.h"
#include "bars/minidockframe.h"
#include "frames/frame.h"
#include "wnddefer.h"

namespace {

// The dock bars in the order they take space: top and bottom across the
// whole width, then left and right between them.
const UINT kDockBarIds[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                             AFX_IDW_DOCKBAR_RIGHT};
const DWORD kDockBarAlign[4] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

int IndexOfDockBar(UINT id) {
  for (int i = 0; i < 4; ++i)
    if (kDockBarIds[i] == id) return i;
  return -1;
}

}  // namespace

void CFrameWnd::EnableDocking(DWORD dockStyle) {
  for (int i = 0; i < 4; ++i) {
    if (!(dockStyle & kDockBarAlign[i]) || m_dockBars[i]) continue;
    CDockBar* bar = new CDockBar(kDockBarIds[i]);
    if (!bar->CreateIn(this)) {
      delete bar;
      continue;
    }
    m_dockBars[i] = bar;
  }
}

CDockBar* CFrameWnd::GetDockBar(UINT dockBarId) const {
  int i = IndexOfDockBar(dockBarId);
  return i < 0 ? nullptr : m_dockBars[i];
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, CControlBar* rowOf) {
  if (!dockBarId)
    for (int i = 0; i < 4 && !dockBarId; ++i)
      if ((bar->m_dwDockStyle & kDockBarAlign[i]) && m_dockBars[i]) dockBarId = kDockBarIds[i];
  CDockBar* dock = GetDockBar(dockBarId);
  if (!dock) return;
  if (bar->m_pDockBar) bar->m_pDockBar->RemoveBar(bar);
  dock->DockBar(bar, rowOf);
  if (CMiniDockFrameWnd* floating = bar->m_pFloatFrame) {
    bar->m_pFloatFrame = nullptr;  // the bar has left it: it goes alone
    floating->DestroyWindow();
    if (bar->GetStyle() & WS_VISIBLE) bar->ShowWindow(SW_SHOWNA);
  }
  RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* bar, POINT topLeft) {
  if (bar->m_pDockBar) bar->m_pDockBar->RemoveBar(bar);
  DWORD style = bar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY);
  bar->SetBarStyle(style | CBRS_FLOATING);
  if (!bar->m_pFloatFrame) {
    auto* floating = new CMiniDockFrameWnd;
    if (!floating->Create(this, bar, topLeft)) {
      if (!floating->m_hWnd) delete floating;
      return;
    }
    bar->m_pFloatFrame = floating;
  } else {
    RECT r = {0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, bar->m_pFloatFrame->GetStyle(), FALSE, bar->m_pFloatFrame->GetExStyle());
    bar->m_pFloatFrame->SetWindowPos(nullptr, topLeft.x + r.left, topLeft.y + r.top, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bar->m_pFloatFrame->FitToBar();
  bar->ShowFloatingFrame(bar->GetStyle() & WS_VISIBLE);
  RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show) {
  if (!bar || !bar->m_hWnd) return;
  bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  if (bar->IsFloating())
    bar->ShowFloatingFrame(show);
  else
    RecalcLayout();
}

void CFrameWnd::AddControlBar(CControlBar* bar) {
  if (std::find(m_controlBars.begin(), m_controlBars.end(), bar) == m_controlBars.end())
    m_controlBars.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) {
  m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), bar), m_controlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
  for (CControlBar* bar : m_controlBars)
    if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == id) return bar;
  return nullptr;
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (!m_hWnd) return;
  RECT client;
  GetClientRect(&client);
  LayoutBars(&client);
  if (HWND pane = GetPane())
    ::SetWindowPos(pane, nullptr, client.left, client.top, std::max(0L, client.right - client.left),
                   std::max(0L, client.bottom - client.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::LayoutBars(RECT* r) {
  // Bars of their own at an edge (the status bar), in the order they came.
  for (CControlBar* bar : m_controlBars) {
    if (bar->m_pDockBar || bar->IsFloating() || !bar->IsWindowVisible()) continue;
    DWORD align = bar->GetBarStyle() & CBRS_ALIGN_ANY;
    bool horz = (align & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    SIZE size = bar->CalcFixedLayout(TRUE, horz);
    RECT at = *r;
    if (align & CBRS_ALIGN_BOTTOM) {
      at.top = std::max(r->top, r->bottom - size.cy);
      r->bottom = at.top;
    } else if (align & CBRS_ALIGN_TOP) {
      at.bottom = std::min(r->bottom, r->top + size.cy);
      r->top = at.bottom;
    } else if (align & CBRS_ALIGN_LEFT) {
      at.right = std::min(r->right, r->left + size.cx);
      r->left = at.right;
    } else if (align & CBRS_ALIGN_RIGHT) {
      at.left = std::max(r->left, r->right - size.cx);
      r->right = at.left;
    }
    bar->MoveWindow(at);
  }
  for (int i = 0; i < 4; ++i) {
    CDockBar* dock = m_dockBars[i];
    if (!dock) continue;
    bool horz = dock->IsHorz();
    int length = horz ? r->right - r->left : r->bottom - r->top;
    int thickness = std::max(0, dock->CalcThickness(std::max(0, length)));
    int room = horz ? r->bottom - r->top : r->right - r->left;
    thickness = std::min(thickness, std::max(0, room));
    RECT at = *r;
    switch (kDockBarIds[i]) {
      case AFX_IDW_DOCKBAR_TOP:
        at.bottom = r->top + thickness;
        r->top = at.bottom;
        break;
      case AFX_IDW_DOCKBAR_BOTTOM:
        at.top = r->bottom - thickness;
        r->bottom = at.top;
        break;
      case AFX_IDW_DOCKBAR_LEFT:
        at.right = r->left + thickness;
        r->left = at.right;
        break;
      default:
        at.left = r->right - thickness;
        r->right = at.left;
        break;
    }
    dock->SetWindowPos(nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | (thickness ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    dock->PlaceBars(std::max(0, length));
  }
}
