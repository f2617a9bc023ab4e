#include "bars/controlbar.h"

#include <commctrl.h>

#include "bars/dockbar.h"
#include "bars/dockcontext.h"
#include "bars/minidockframe.h"
#include "commands/cmdids.h"
#include "frames/frame.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {
const int kBorder = 2;       // an etched border
const int kGripLineGap = 3;  // between the gripper's two lines
}  // namespace

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() = default;

BOOL CControlBar::CreateBar(CFrameWnd* frame, const char* className, const char* title, DWORD ctrlStyle,
                            DWORD style, UINT id, DWORD exStyle) {
  if (!frame || !frame->m_hWnd) return FALSE;
  m_dwStyle = style & CBRS_ALL;
  DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | WS_CHILD | WS_CLIPSIBLINGS;
  m_pDockSite = frame;
  if (!CreateEx(exStyle, className, title, windowStyle, 0, 0, 0, 0, frame->m_hWnd,
                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)))) {
    m_pDockSite = nullptr;
    return FALSE;
  }
  frame->AddControlBar(this);
  return TRUE;
}

void CControlBar::SetBarStyle(DWORD style) {
  if (m_dwStyle == style) return;
  m_dwStyle = style & CBRS_ALL;
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

RECT CControlBar::NonClientInsets() const {
  RECT insets = {0, 0, 0, 0};
  if (IsFloating()) return insets;
  if (m_dwStyle & CBRS_BORDER_LEFT) insets.left += kBorder;
  if (m_dwStyle & CBRS_BORDER_TOP) insets.top += kBorder;
  if (m_dwStyle & CBRS_BORDER_RIGHT) insets.right += kBorder;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) insets.bottom += kBorder;
  if ((m_dwStyle & CBRS_GRIPPER) && m_pDockBar) {
    if (IsHorz())
      insets.left += m_cxGripper;
    else
      insets.top += m_cxGripper;
  }
  return insets;
}

void CControlBar::DrawNonClient(HDC dc, const RECT& window) {
  RECT insets = NonClientInsets();
  RECT inner = {window.left + insets.left, window.top + insets.top, window.right - insets.right,
                window.bottom - insets.bottom};
  // Everything outside the client area: the face colour, the borders, the gripper.
  ::ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
  ::FillRect(dc, &window, ::GetSysColorBrush(COLOR_BTNFACE));
  UINT sides = 0;
  if (m_dwStyle & CBRS_BORDER_LEFT) sides |= BF_LEFT;
  if (m_dwStyle & CBRS_BORDER_TOP) sides |= BF_TOP;
  if (m_dwStyle & CBRS_BORDER_RIGHT) sides |= BF_RIGHT;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) sides |= BF_BOTTOM;
  RECT edge = window;
  if (sides && !IsFloating()) ::DrawEdge(dc, &edge, EDGE_ETCHED, sides);
  if ((m_dwStyle & CBRS_GRIPPER) && m_pDockBar) DrawGripper(dc, inner);
}

void CControlBar::DrawGripper(HDC dc, const RECT& client) const {
  RECT grip;
  if (IsHorz()) {
    grip = {client.left - m_cxGripper + 2, client.top + 2, client.left - m_cxGripper + 5, client.bottom - 2};
    for (int i = 0; i < 2; ++i, ::OffsetRect(&grip, kGripLineGap, 0))
      ::DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
  } else {
    grip = {client.left + 2, client.top - m_cxGripper + 2, client.right - 2, client.top - m_cxGripper + 5};
    for (int i = 0; i < 2; ++i, ::OffsetRect(&grip, 0, kGripLineGap))
      ::DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
  }
}

void CControlBar::ShowFloatingFrame(BOOL show) {
  if (m_pFloatFrame && m_pFloatFrame->m_hWnd) m_pFloatFrame->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

RECT CControlBar::GripperBox() const {
  RECT box = {0, 0, 0, 0};
  if (!(m_dwStyle & CBRS_GRIPPER) || !m_pDockBar || !m_hWnd) return box;
  RECT window;
  GetWindowRect(&window);
  RECT insets = NonClientInsets();
  int w = window.right - window.left, h = window.bottom - window.top;
  if (IsHorz())
    box = {insets.left - m_cxGripper, 0, insets.left, h};
  else
    box = {0, insets.top - m_cxGripper, w, insets.top};
  return box;
}

LRESULT CControlBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST: {
      RECT window, grip = GripperBox();
      GetWindowRect(&window);
      POINT at = {static_cast<short>(LOWORD(lp)) - window.left, static_cast<short>(HIWORD(lp)) - window.top};
      if (::PtInRect(&grip, at)) return HTCAPTION;
      break;
    }
    case WM_NCLBUTTONDOWN:
      if (wp == HTCAPTION && m_pDockSite) {
        CDockContext(this).Track(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
      }
      break;
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTCAPTION && m_pDockSite) {  // a docked bar floats where it stands
        RECT window;
        GetWindowRect(&window);
        m_pDockSite->FloatControlBar(this, POINT{window.left, window.top});
        return 0;
      }
      break;
    case WM_NCCALCSIZE: {
      RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
      RECT insets = NonClientInsets();
      r->left += insets.left;
      r->top += insets.top;
      r->right -= insets.right;
      r->bottom -= insets.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return 0;
    }
    case WM_NCPAINT: {
      HDC dc = ::GetWindowDC(m_hWnd);
      RECT window;
      GetWindowRect(&window);
      ::OffsetRect(&window, -window.left, -window.top);
      DrawNonClient(dc, window);
      ::ReleaseDC(m_hWnd, dc);
      return 0;
    }
    case WM_IDLEUPDATECMDUI:
      if (m_pDockSite && IsWindowVisible()) OnUpdateCmdUI(m_pDockSite, static_cast<BOOL>(wp));
      return 0;
    case WM_DESTROY:
      if (m_pDockBar) m_pDockBar->RemoveBar(this);
      if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
      m_pDockBar = nullptr;
      m_pDockSite = nullptr;
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}
