// The handle map, attaching and detaching, and the dispatch that every window
// procedure of the layer ends in.
#include "winapp.h"
#include "wndclass.h"
#include "wndimpl.h"
#include "wndmodule.h"

namespace {

// The messages being dispatched now, innermost first: Default() finds the
// message of its object here, so nothing is written into an object after its
// handler returned (a handler may destroy its window and so delete the object).
struct DispatchFrame {
  const CWnd* wnd;
  MSG msg;
  DispatchFrame* outer;
};
DispatchFrame* g_innermost = nullptr;

struct FrameScope {
  DispatchFrame frame;
  FrameScope(const CWnd* wnd, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
      : frame{wnd, MSG{hwnd, msg, wp, lp, 0, {0, 0}}, g_innermost} {
    g_innermost = &frame;
  }
  ~FrameScope() { g_innermost = frame.outer; }
};

// The end of a window: the object lets go of the handle, the application
// forgets a main window that is gone (and a program's loop ends), then the
// object's own clean-up runs.
void FinishNcDestroy(CWnd* wnd) {
  HWND hwnd = wnd->m_hWnd;
  CWndAccess::Detach(wnd);
  CWinApp* app = QelGetApp();
  if (app && app->m_pMainWnd == wnd) {
    app->m_pMainWnd = nullptr;
    if (app->RunsMessageLoop()) ::PostQuitMessage(0);
  }
  QelGuarded(hwnd, WM_NCDESTROY, [wnd] {
    wnd->PostNcDestroy();
    return LRESULT(0);
  });
}

}  // namespace

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto& windows = QelGetModuleState().windows;
  auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : it->second;
}

size_t CWnd::GetAttachedCount() { return QelGetModuleState().windows.size(); }

void CWndAccess::Attach(CWnd* wnd, HWND hwnd, bool subclass) {
  WNDPROC own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  wnd->m_hWnd = hwnd;
  wnd->m_pfnSuper = own;
  wnd->m_subclassed = false;
  QelGetModuleState().windows[hwnd] = wnd;
  if (subclass && own != QelWndProc) {
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QelWndProc));
    wnd->m_subclassed = true;
  }
}

void CWndAccess::AttachOwned(CWnd* wnd, HWND hwnd) {
  wnd->m_hWnd = hwnd;
  wnd->m_pfnSuper = ::DefWindowProcA;
  wnd->m_subclassed = false;
  wnd->m_bAutoDelete = true;
  QelGetModuleState().windows[hwnd] = wnd;
}

void CWndAccess::Detach(CWnd* wnd) {
  HWND hwnd = wnd->m_hWnd;
  if (!hwnd) return;
  // Put the window's own procedure back unless someone subclassed it after us
  // (then theirs stays, and messages for an unknown handle go on by default).
  if (wnd->m_subclassed && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == QelWndProc)
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
  auto& windows = QelGetModuleState().windows;
  auto it = windows.find(hwnd);
  if (it != windows.end() && it->second == wnd) windows.erase(it);
  wnd->m_hWnd = nullptr;
  wnd->m_pfnSuper = nullptr;
  wnd->m_subclassed = false;
}

LRESULT CWndAccess::Dispatch(CWnd* wnd, UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = wnd->m_hWnd;
  LRESULT result;
  {
    FrameScope scope(wnd, hwnd, msg, wp, lp);
    result = QelGuarded(hwnd, msg, [&] {
      if (msg == QelReflectMessage()) return QelAnswerReflection(wnd, lp);
      LRESULT answer = 0;
      if (QelReflectToChild(hwnd, msg, wp, lp, &answer)) return answer;
      return wnd->WindowProc(msg, wp, lp);
    });
  }
  if (msg == WM_NCDESTROY && CWnd::FromHandlePermanent(hwnd) == wnd) FinishNcDestroy(wnd);
  return result;
}

LRESULT CWnd::AnswerDirectly(UINT msg, WPARAM wp, LPARAM lp) {
  return m_hWnd ? CWndAccess::Dispatch(this, msg, wp, lp) : 0;
}

LRESULT CALLBACK QelWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (!wnd) return ::DefWindowProcA(hwnd, msg, wp, lp);
  return CWndAccess::Dispatch(wnd, msg, wp, lp);
}

LRESULT QelCreatingWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, CWnd* (*make)()) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  // An object made by CreateEx stands in front of this procedure: here we are
  // only the procedure it passes messages on to.
  if (wnd && CWndAccess::IsSubclassed(wnd)) return ::DefWindowProcA(hwnd, msg, wp, lp);
  if (!wnd) {
    if (msg == WM_NCDESTROY) return ::DefWindowProcA(hwnd, msg, wp, lp);
    QelGuarded(hwnd, msg, [&] {
      wnd = make();
      return LRESULT(0);
    });
    // Without its object the window must not come to life.
    if (!wnd) return msg == WM_NCCREATE ? FALSE : ::DefWindowProcA(hwnd, msg, wp, lp);
    CWndAccess::AttachOwned(wnd, hwnd);
  }
  return CWndAccess::Dispatch(wnd, msg, wp, lp);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProc(msg, wp, lp); }

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wp, lp);
  return ::DefWindowProcA(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::Default() {
  for (DispatchFrame* f = g_innermost; f; f = f->outer)
    if (f->wnd == this) return DefWindowProc(f->msg.message, f->msg.wParam, f->msg.lParam);
  return 0;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL QelWalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    BOOL eaten = FALSE;
    if (wnd)  // a loop is no window procedure, but nothing may leave it either
      QelGuarded(hwnd, msg->message, [&] {
        eaten = wnd->PreTranslateMessage(msg);
        return LRESULT(0);
      });
    if (eaten) return TRUE;
    // GetParent of a top-level window is its owner: the walk ends here.
    if (hwnd == stop || !(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}
