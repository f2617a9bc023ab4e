#include "bars/minidockframe.h"

#include "bars/controlbar.h"
#include "bars/dockcontext.h"
#include "frames/frame.h"
#include "frames/frameclass.h"
#include "wndmodule.h"

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CWnd)

namespace {

const char kClassName[] = "QelMiniDockFrame";
const DWORD kExStyle = WS_EX_TOOLWINDOW;

}  // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd() { m_bAutoDelete = true; }

BOOL CMiniDockFrameWnd::Create(CFrameWnd* frame, CControlBar* bar, POINT topLeft) {
  m_pBar = bar;
  m_pDockSite = frame;
  const char* cls = QelPlainWindowClass(kClassName, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  CString title;
  bar->GetWindowText(title);
  DWORD style =
      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (bar->IsStretchable() ? WS_THICKFRAME : 0);
  if (!cls || !CreateEx(kExStyle, cls, title, style, topLeft.x, topLeft.y, 0, 0, frame->m_hWnd, nullptr))
    return FALSE;
  ::SetParent(bar->m_hWnd, m_hWnd);
  return TRUE;
}

void CMiniDockFrameWnd::FitToBar() {
  SIZE size = m_pBar->CalcFloatingSize();
  RECT r = {0, 0, size.cx, size.cy};
  ::AdjustWindowRectEx(&r, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_pBar->MoveWindow(0, 0, size.cx, size.cy);
}

LRESULT CMiniDockFrameWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      if (m_pDockSite) m_pDockSite->ShowControlBar(m_pBar, FALSE);
      return 0;
    case WM_SIZE:
      if (m_pBar && m_pBar->m_hWnd && ::GetParent(m_pBar->m_hWnd) == m_hWnd) {
        SIZE size = {LOWORD(lp), HIWORD(lp)};
        m_pBar->SetFloatingSize(size);
        m_pBar->MoveWindow(0, 0, size.cx, size.cy);
      }
      break;
    case WM_NCLBUTTONDOWN:
      if (wp == HTCAPTION && m_pBar) {
        // The caption moves the bar, which may land on a side of the frame.
        CDockContext(m_pBar).Track(POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
      }
      break;
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTCAPTION && m_pBar && m_pDockSite) {
        m_pDockSite->DockControlBar(m_pBar, m_pBar->m_nLastDockId);  // this window goes meanwhile
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
      if (m_pDockSite && m_pDockSite->m_hWnd) return m_pDockSite->SendMessage(msg, wp, lp);
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}
